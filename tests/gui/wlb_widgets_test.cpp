// Pages of tabs 4 and 5 and their Choose Frequency Range window.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/dialog_widgets.h"
#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "controls/step_edit.h"
#include "families/compact/compact_page.h"
#include "families/compact/frequency_range_dlg.h"
#include "gui/gui_test.h"
#include "ui/scripted_ui.h"
#include "view/commands.h"

using namespace tw;
using namespace tw::app;

namespace {

struct Fixture {
    Fixture() {
        AppOptions o;
        o.simulate = true;
        o.ini = dir.filePath("novac4.ini").toStdString();
        session = std::make_unique<Session>(o, ui);
        window = std::make_unique<MainWindow>(*session, false);
    }
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;
};

QGroupBox* group(QWidget* w, const QString& title) {
    for (auto* g : w->findChildren<QGroupBox*>())
        if (g->title() == title) return g;
    return nullptr;
}

// Labels and step edits of a widget, in creation order (labels directly inside it only).
QStringList labels(QWidget* w) {
    QStringList out;
    for (auto* l : w->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        out << l->text();
    return out;
}

QStringList edits(QWidget* w) {
    QStringList out;
    for (auto* e : w->findChildren<StepEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (e->minimum() != 0 || e->maximum() != 255) return {"bad bounds"};
        out << e->objectName();
    }
    return out;
}

QStringList names(std::initializer_list<int> ids) {
    QStringList out;
    for (int id : ids) out << QString::number(id);
    return out;
}

void setText(PageWidget* w, int id, const QString& text) {
    auto* e = qobject_cast<QLineEdit*>(w->control(id));
    QVERIFY(e);
    e->setText(text);
}

}  // namespace

class WlbWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutsOfBothPages() {
        Fixture f;
        PageWidget* wlb = f.window->pageWidget(4);
        QGroupBox* tracking = group(wlb, "Tracking Data");
        QGroupBox* squelch = group(wlb, "Squelch");
        QVERIFY(tracking && squelch && tracking->isAncestorOf(squelch));
        QCOMPARE(labels(squelch), QStringList({"Wide Band", "Narr Band", "Opening", "Closing ",
                                               "Offset Low", "Offset High"}));
        QCOMPARE(edits(squelch), names({2040, 2041, 2042, 2043, 2044, 2045, 2046, 2047}));
        QCOMPARE(labels(tracking),
                 QStringList({"Low", "Mid", "High", "RF Low Power", "RF High Power",
                              "TX Dev(Wid Bnd)", "Ref Oscillator Frequency Adjust",
                              "Low Voltage Cutoff", "Adjustable Squelch Offset"}));
        QCOMPARE(edits(tracking),
                 names({2048, 2049, 2056, 2050, 2051, 2052, 2053, 2054, 2055, 2057, 2058, 2059}));
        QCOMPARE(wlb->firstControl(), 2040);
        QCOMPARE(wlb->findChild<QPushButton*>("2066")->text(), QString("Defaults"));
        QCOMPARE(qobject_cast<QLineEdit*>(wlb->control(2061))->maxLength(), 20);
        QCOMPARE(qobject_cast<QLineEdit*>(wlb->control(2060))->maxLength(), 15);

        PageWidget* m60 = f.window->pageWidget(5);
        QCOMPARE(edits(group(m60, "Squelch")), names({2040, 2041, 2042, 2043}));
        QCOMPARE(edits(group(m60, "Tracking Data")),
                 names({2048, 2049, 2056, 2050, 2051, 2052, 2053, 2054, 2055, 2057, 2058, 2063}));
        QVERIFY(labels(group(m60, "Tracking Data")).contains("TX Dev Offset"));
        QVERIFY(m60->findChild<QPushButton*>("2068"));
        QCOMPARE(m60->firstControl(), 0);
    }

    void getStatusAndFeaturesGreyOnTabs4And5() {
        Fixture f;
        for (int tab : {4, 5}) {
            f.window->tabs()->setCurrentIndex(tab);
            QVERIFY(!f.window->action(Command::GetStatus)->isEnabled());
            QVERIFY(!f.window->action(Command::ReadFeaturesFromRadio)->isEnabled());
            QVERIFY(f.window->action(Command::ReadTrackingFromRadio)->isEnabled());
        }
    }

    void defaultsWindowListsAndPreselects() {
        compact::CChooseFrequencyRangeDlg dlg(compact::marten60pModel(), 3);
        auto box = buildDialogWidget(nullptr, dlg);
        QCOMPARE(box->windowTitle(), QString("Choose Frequency Range"));
        auto* list = box->findChild<QListWidget*>("range");
        QVERIFY(list);
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->item(1)->text(), QString("VHF -   150.7750 - 174.0000"));
        QCOMPARE(list->currentRow(), 3);
        list->setCurrentRow(0);
        box->accept();
        QVERIFY(box->conclude());
        QCOMPARE(dlg.selection(), 0);

        compact::CChooseFrequencyRangeDlg none(compact::wlbModel(), 200);
        auto empty = buildDialogWidget(nullptr, none);
        QVERIFY(empty->findChild<QListWidget*>("range")->selectedItems().isEmpty());
        empty->reject();
        QVERIFY(!empty->conclude());
    }

    void defaultsButtonFillsTheWidgets() {
        Fixture f;
        f.window->tabs()->setCurrentIndex(4);
        PageWidget* w = f.window->pageWidget(4);
        f.ui.dialogScripts.push_back({{{"range", "2"}}, "OK"});
        w->findChild<QPushButton*>("2066")->click();
        QCOMPARE(qobject_cast<QLineEdit*>(w->control(2044))->text(), QString("248"));
        QCOMPARE(qobject_cast<QLineEdit*>(w->control(2061))->text(), QString("403-440MHz"));
    }

    void simulatedRadiosReadIntoTheWidgets() {
        Fixture f;
        const std::pair<int, const char*> tabs[] = {{4, "34"}, {5, "181"}};
        for (const auto& [tab, opening] : tabs) {
            f.window->tabs()->setCurrentIndex(tab);
            QVERIFY(f.window->runCommand(Command::ReadTrackingFromRadio));
            PageWidget* w = f.window->pageWidget(tab);
            QCOMPARE(qobject_cast<QLineEdit*>(w->control(2040))->text(), QString(opening));
            QCOMPARE(qobject_cast<QLineEdit*>(w->control(2061))->text(), QString("440-470MHz"));
        }
        QVERIFY(f.ui.messages().empty());
    }

    void printPreviewLinesComeFromTheWidgets() {
        Fixture f;
        f.window->tabs()->setCurrentIndex(4);
        PageWidget* wlb = f.window->pageWidget(4);
        setText(wlb, 2040, "12");
        setText(wlb, 2059, "255");
        auto lines = f.window->collectReport();
        QCOMPARE(lines.size(), std::size_t(23));
        QCOMPARE(lines[0], std::string("Radio Type = WLB"));
        QCOMPARE(lines[5], std::string("Opening         12             0"));
        QCOMPARE(lines[22], std::string("Adjustable Squelch Offset         255"));

        f.window->tabs()->setCurrentIndex(5);
        PageWidget* m60 = f.window->pageWidget(5);
        for (const auto& c : m60->page().controls().all())
            if (auto* e = qobject_cast<StepEdit*>(m60->control(c.id))) e->setText("0");
        setText(m60, 2063, "249");
        lines = f.window->collectReport();
        QCOMPARE(lines.size(), std::size_t(18));
        QCOMPARE(lines[0], std::string("Radio Type = MARTEN 60P"));
        QCOMPARE(lines[17], std::string("Tx Deviation Offset         249"));
        QVERIFY(f.ui.messages().empty());
    }
};

TW_GUI_TEST(WlbWidgetsTest)
#include "wlb_widgets_test.moc"
