// Pages of tabs 4 and 5 and their Choose Frequency Range window; their layout is checked with
// the other pages'.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/dialog_widgets.h"
#include "app/page_widget.h"
#include "controls/step_edit.h"
#include "families/compact/frequency_range_dlg.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"
#include "view/commands.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

void setText(PageWidget* w, int id, const QString& text) {
    auto* e = qobject_cast<QLineEdit*>(w->control(id));
    QVERIFY(e);
    e->setText(text);
}

}  // namespace

class WlbWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void defaultsWindowListsAndPreselects() {
        compact::CChooseFrequencyRangeDlg dlg(compact::marten60pModel(), 3);
        auto box = buildDialogWidget(nullptr, dlg);
        QCOMPARE(box->windowTitle(), QString("Choose Frequency Range"));
        auto* list = box->findChild<QListWidget*>("range");
        QVERIFY(list);
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->item(1)->text(), QString("VHF -   150.7750 - 174.0000"));
        // The lines' numbers are bare; their unit heads the list.
        QStringList heads;
        for (auto* l : box->findChildren<QLabel*>()) heads << l->text();
        QCOMPARE(heads, QStringList({"Frequency range (MHz)"}));
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
        AppWindow f;
        f.window->tabs()->setCurrentIndex(4);
        PageWidget* w = f.window->pageWidget(4);
        f.ui.dialogScripts.push_back({{{"range", "2"}}, "OK"});
        w->findChild<QPushButton*>("2066")->click();
        f.window->waitForOperation();
        QCOMPARE(qobject_cast<QLineEdit*>(w->control(2044))->text(), QString("248"));
        QCOMPARE(qobject_cast<QLineEdit*>(w->control(2061))->text(), QString("403-440MHz"));
    }

    void printPreviewLinesComeFromTheWidgets() {
        AppWindow f;
        f.window->tabs()->setCurrentIndex(4);
        PageWidget* wlb = f.window->pageWidget(4);
        setText(wlb, 2040, "12");
        setText(wlb, 2059, "255");
        auto lines = f.window->collectReport();
        QCOMPARE(lines.at(5), std::string("Opening         12             0"));
        QCOMPARE(lines.at(22), std::string("Adjustable Squelch Offset         255"));
        QVERIFY(f.ui.messages().empty());
        f.window->tabs()->setCurrentIndex(5);  // the report is the shown page's
        QCOMPARE(f.window->collectReport().at(0), std::string("Radio Type = MARTEN 60P"));
    }
};

TW_GUI_TEST(WlbWidgetsTest)
#include "wlb_widgets_test.moc"
