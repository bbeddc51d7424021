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
    // Radio Recovery stays hidden; the GVE alignment is service work.
    void buttonsThatStartGreyOrHidden() {
        Fixture f;
        QVERIFY(f.button(2004)->isHidden() && !f.button(2004)->isEnabled());
        QVERIFY(!f.button(2017)->isEnabled() && !f.button(2016)->isEnabled());
        QVERIFY(Fixture(true).button(2017)->isEnabled());
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
