#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/dialog_widgets.h"
#include "app/page_widget.h"
#include "families/blt/blt_dialogs.h"
#include "families/blt/blt_page.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"
#include "testtune/sheet_transmitter.h"

using namespace tw;
using namespace tw::app;
using P = blt::CMaintenanceDlg;

namespace {

// The BLT page in the main window, service work allowed or not.
struct Fixture : guitest::AppWindow {
    explicit Fixture(bool service = false,
                     std::map<std::string, std::map<std::string, std::string>> simOptions = {})
        : AppWindow(service, 2, std::move(simOptions)) {}
    QPushButton* button(int id) { return page(2)->findChild<QPushButton*>(QString::number(id)); }
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

    // The warning stands on the page from the sheet that may have left the radio keyed until
    // one that left it off.
    void aTransmitterLeftKeyedStandsOnThePage() {
        Fixture f(true);
        auto& page = dynamic_cast<P&>(f.page(2)->page());
        auto after = testtune::TransmitterAfterSheet::MayBeOn;
        page.setGveAlignmentHandler([&] {
            page.sheetEnded(after);
            return true;
        });
        auto* warning = f.page(2)->findChild<QLabel*>("transmitterWarning");
        QVERIFY(warning && warning->isHidden());
        f.button(2017)->click();
        QVERIFY(!warning->isHidden());
        QCOMPARE(warning->text(), QString(testtune::kTransmitterMayStillBeOn));
        QCOMPARE(f.ui.messages(), std::vector<std::string>{testtune::kTransmitterMayStillBeOn});
        after = testtune::TransmitterAfterSheet::Untold;
        f.button(2017)->click();
        QVERIFY(!warning->isHidden());
        after = testtune::TransmitterAfterSheet::Off;
        f.button(2017)->click();
        QVERIFY(warning->isHidden());
    }

    void radioInformationFillsTypeAndMemory() {
        Fixture f;
        f.button(2005)->click();
        f.window->waitForOperation();
        QCOMPARE(f.page(2)->findChild<QLabel*>("2009")->text(), QString("Lyra"));
        QCOMPARE(f.page(2)->findChild<QLabel*>("2010")->text(), QString("512 K"));
        QVERIFY(!f.button(2016)->isEnabled());  // simulated radio holds version 4
        QVERIFY(f.button(1001)->isEnabled());

        // A radio started on version 2 (--sim-option blt:version=2) can be upgraded.
        Fixture old(false, {{"blt", {{"version", "2"}}}});
        old.button(2005)->click();
        old.window->waitForOperation();
        QVERIFY(old.button(2016)->isEnabled());
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
