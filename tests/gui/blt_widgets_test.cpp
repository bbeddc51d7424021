#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/dialog_widgets.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "families/blt/blt_dialogs.h"
#include "families/blt/blt_page.h"
#include "gui/gui_test.h"
#include "ui/scripted_ui.h"

using namespace tw;
using namespace tw::app;
using P = blt::CMaintenanceDlg;

namespace {

struct Fixture {
    explicit Fixture(bool service = false) {
        AppOptions o;
        o.simulate = true;
        o.service = service;
        o.ini = dir.filePath("novac4.ini").toStdString();
        session = std::make_unique<Session>(o, ui);
        widget.reset(createPageWidget(2, session->view().page(2), nullptr));
    }
    QPushButton* button(int id) { return widget->findChild<QPushButton*>(QString::number(id)); }
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<PageWidget> widget;
};

}  // namespace

class BltWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void pageHasEveryButtonAndHidesRadioRecovery() {
        Fixture f;
        const std::pair<int, const char*> buttons[] = {{2002, "Tracking Data &Edit ..."},
                                                       {2003, "Feature Data E&dit ..."},
                                                       {2016, "Version Upgrade ..."},
                                                       {2005, "&Radio Information"},
                                                       {1003, "Re&covery"},
                                                       {2017, "&GVE Alignment"},
                                                       {2062, "Desktop ..."},
                                                       {1015, "&Write Code to File ..."},
                                                       {1002, "Write ADI/DSP to File  ..."},
                                                       {1001, "Jump"},
                                                       {2004, "R&adio Recovery"}};
        for (const auto& [id, text] : buttons) {
            QPushButton* b = f.button(id);
            QVERIFY2(b, text);
            QCOMPARE(b->text(), QString::fromUtf8(text));
        }
        QVERIFY(f.button(2004)->isHidden());
        QVERIFY(!f.button(2004)->isEnabled());
        QVERIFY(!f.button(2017)->isEnabled());
        QVERIFY(!f.button(2016)->isEnabled());
        QCOMPARE(f.widget->firstControl(), 2002);
    }

    void serviceModeEnablesGveAlignment() {
        Fixture f(true);
        QVERIFY(f.button(2017)->isEnabled());
    }

    void radioInformationFillsTypeAndMemory() {
        Fixture f;
        QTest::mouseClick(f.button(2005), Qt::LeftButton);
        QCOMPARE(f.widget->findChild<QLabel*>("2009")->text(), QString("Lyra"));
        QCOMPARE(f.widget->findChild<QLabel*>("2010")->text(), QString("512 K"));
        QVERIFY(!f.button(2016)->isEnabled());  // simulated radio holds version 4
        QVERIFY(f.button(1001)->isEnabled());
    }

    void trackingEditorTakesBoxesOnOk() {
        blt::RadioData data;
        data.trackingVersion = 1;
        data.trackingArrays[18] = 5;
        blt::TrackingEditDialog dialog(data);
        auto box = buildDialogWidget(nullptr, dialog);
        auto* edit = box->findChild<QLineEdit*>(QString::number(blt::kFirstFieldId + 18));
        QVERIFY(edit);
        QCOMPARE(edit->text(), QString("5"));
        edit->setText("77");
        box->accept();
        QVERIFY(box->conclude());
        dialog.apply(data);
        QCOMPARE(data.trackingArrays[18], 77u);
    }
};

TW_GUI_TEST(BltWidgetsTest)

#include "blt_widgets_test.moc"
