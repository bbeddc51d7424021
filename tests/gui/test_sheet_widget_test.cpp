#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/dialog_widgets.h"
#include "config/profile.h"
#include "gui/gui_test.h"
#include "link/serial_link.h"
#include "sim/hdt/hdt_model.h"
#include "sim/sim_device.h"
#include "testtune/launcher.h"
#include "testtune/power_table.h"
#include "ui/scripted_ui.h"

using namespace tw;
using namespace tw::app;

// The wizard window of a sheet against the simulated interpreter.
class TestSheetWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { radio({}); }
    void radio(const sim::ModelOptions& options) {
        bench_.reset();
        env_.reset();
        serial_.reset();
        dir_ = std::make_unique<QTemporaryDir>();  // a fresh profile for every test
        profile_ = std::make_unique<Profile>(dir_->filePath("novac4.ini").toStdString());
        profile_->writeString(profile_keys::kCommSection, profile_keys::kPortNumber, "1");
        auto model = std::make_unique<sim::HdtModel>(options);
        model_ = model.get();
        factory_ = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
        serial_ = std::make_unique<SerialLink>(*profile_, *factory_, clock_, ui_);
        env_ = std::make_unique<Env>(Env{ui_, clock_, *profile_, *serial_, app_});
        bench_ = std::make_unique<testtune::AlignmentBench>(*env_);
    }
    void cleanup() { bench_.reset(); }

    void wizardButtonsFollowTheRunningTest() {
        testtune::CTestSheet* sheet = bench_->launch(testtune::TestSheetChoice::Frontcap);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        QCOMPARE(box->windowTitle(), QString("Frontcap Tests"));
        QPushButton* nextButton = nullptr;
        for (auto* b : box->findChildren<QPushButton*>())
            if (b->text() == "&Next >") nextButton = b;
        QVERIFY(nextButton);
        QVERIFY(nextButton->isEnabled());
        QWidget* page = box->findChild<QStackedWidget*>()->currentWidget();
        auto* stop = page->findChild<QPushButton*>("2");
        QVERIFY(!stop->isEnabled());
        page->findChild<QPushButton*>("1121")->click();
        QVERIFY(model_->state().keyed);
        QVERIFY(!nextButton->isEnabled());
        QVERIFY(stop->isEnabled());
        stop->click();
        QVERIFY(!model_->state().keyed);
        QVERIFY(nextButton->isEnabled());
        nextButton->click();
        QCOMPARE(sheet->activeIndex(), 1);
    }

    void leavingTheWindowStopsTheTest() {
        testtune::CTestSheet* sheet = bench_->launch(testtune::TestSheetChoice::StandardRf);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        box->findChild<QPushButton*>("1070")->click();
        QVERIFY(model_->state().keyed);
        box->reject();  // Escape or the close box
        QVERIFY(!box->conclude());
        QVERIFY(!model_->state().keyed);
        QVERIFY(sheet->closed());
    }

    void thePowerGridHasEighteenRows() {
        testtune::CTestSheet* sheet = bench_->launch(testtune::TestSheetChoice::StandardRf);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        QVERIFY(sheet->next());
        for (const auto& row : testtune::kPowerTable)
            QVERIFY(box->findChild<QScrollBar*>(QString::number(row.controlId)));
    }

    void aStreamingTestShowsItsDialogUntilStop() {
        testtune::CTestSheet* sheet = bench_->launch(testtune::TestSheetChoice::Io);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        QString title;
        bool keyShown = false;
        QTimer::singleShot(300, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!shown) return;
            title = shown->windowTitle();
            keyShown = shown->findChild<QLabel*>("1010") != nullptr;
            shown->findChild<QPushButton*>("2")->click();
        });
        QWidget* page = box->findChild<QStackedWidget*>()->currentWidget();
        page->findChild<QPushButton*>("1003")->click();  // returns when the dialog has closed
        QCOMPARE(title, QString("Keypad Test"));
        QVERIFY(keyShown);
        QCOMPARE(sheet->testDialog(), nullptr);
        // Stopped before any key was pressed: the status says so rather than "Complete".
        QCOMPARE(page->findChild<QLabel*>("1059")->text(), QString("Stopped: 0 of 22 keys seen"));
        QCOMPARE(model_->lines().back().text, std::string());  // the lone carriage return
    }

    // The indicator and the window title on every page that keys, from the key to the
    // answered unkey; a failed unkey or a failed start leaves them on.
    void theTransmitterIndicatorFollowsKeyAndUnkey() {
        struct Case {
            const char* what;
            testtune::TestSheetChoice sheet;
            sim::ModelOptions radio;
            int page;  // from 0
            const char* start;
            const char* stop;
            QString on;     // the indicator after the start
            bool offAfter;  // after the stop
        };
        const auto rf = testtune::TestSheetChoice::StandardRf;
        const sim::ModelOptions failedUnkey{{"fail", "74.0"}};
        const Case cases[] = {
            {"frequency error", rf, {}, 0, "1070", "2", "TRANSMITTER ON - 815.0125 MHz", true},
            {"power", rf, {}, 1, "1150", "1135", "TRANSMITTER ON - 806.0000 MHz", true},
            {"I/Q balance", rf, {}, 2, "1094", "2", "TRANSMITTER ON - 815.0000 MHz", true},
            {"microphone", rf, {}, 3, "1078", "2", "TRANSMITTER ON - 815.0000 MHz", true},
            {"tone gate", rf, {}, 4, "1129", "2", "TRANSMITTER ON - 815.0000 MHz", true},
            {"frontcap audio",
             testtune::TestSheetChoice::Frontcap,
             {},
             0,
             "1121",
             "2",
             "TRANSMITTER ON - 815.0000 MHz",
             true},
            {"failed unkey", rf, failedUnkey, 0, "1070", "2", "TRANSMITTER ON - 815.0125 MHz",
             false},
            // The key went unanswered, and so did the unkey after the failed start.
            {"failed start",
             rf,
             {{"noreply", "74"}},
             3,
             "1078",
             "",
             "TRANSMITTER ON - 815.0000 MHz",
             false},
        };
        for (const Case& c : cases) {
            radio(c.radio);
            testtune::CTestSheet* sheet = bench_->launch(c.sheet);
            QVERIFY2(sheet, c.what);
            auto box = buildDialogWidget(nullptr, *sheet);
            const QString title = QString::fromStdString(sheet->title());
            auto* indicator = box->findChild<QLabel*>("transmitterOn");
            QVERIFY2(indicator && indicator->isHidden(), c.what);
            for (int i = 0; i < c.page; ++i) QVERIFY2(sheet->next(), c.what);
            QWidget* page = box->findChild<QStackedWidget*>()->currentWidget();
            page->findChild<QPushButton*>(c.start)->click();
            QVERIFY2(!indicator->isHidden(), c.what);
            QCOMPARE(indicator->text(), c.on);
            QCOMPARE(box->windowTitle(), title + " - TRANSMITTER ON");
            if (*c.stop) page->findChild<QPushButton*>(c.stop)->click();
            QCOMPARE(indicator->isHidden(), c.offAfter);
            QCOMPARE(box->windowTitle(), c.offAfter ? title : title + " - TRANSMITTER ON");
            box->reject();
            box->conclude();
            box.reset();  // the window goes before its sheet
            bench_->closeSheet();
            QCOMPARE(bench_->transmitterAfterSheet() == testtune::TransmitterAfterSheet::MayBeOn,
                     !c.offAfter);
        }
    }

    // Leaving the window stops the test and takes the indicator down; a lost connection
    // closes the window with it still up, and the sheet ends with the transmitter unknown.
    void cancelOrALostConnectionEndTheWindow() {
        testtune::CTestSheet* sheet = bench_->launch(testtune::TestSheetChoice::StandardRf);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        auto* indicator = box->findChild<QLabel*>("transmitterOn");
        box->findChild<QPushButton*>("1070")->click();
        QVERIFY(!indicator->isHidden());
        for (auto* b : box->findChildren<QPushButton*>())
            if (b->text() == "Cancel") b->click();
        QVERIFY(sheet->closed());
        QVERIFY(indicator->isHidden());
        QCOMPARE(box->windowTitle(), QString("Standard Tests"));
        box->conclude();
        box.reset();

        sheet = bench_->launch(testtune::TestSheetChoice::StandardRf);
        QVERIFY(sheet);
        box = buildDialogWidget(nullptr, *sheet);
        indicator = box->findChild<QLabel*>("transmitterOn");
        box->findChild<QPushButton*>("1070")->click();
        box->show();
        sheet->link().ConnectionLost();
        QCoreApplication::processEvents();  // the window closes on the next turn
        QVERIFY(sheet->closed());
        QVERIFY(!box->isVisible());
        QVERIFY(!indicator->isHidden());
        QCOMPARE(box->windowTitle(), QString("Standard Tests - TRANSMITTER ON"));
        box->conclude();
        box.reset();
        bench_->closeSheet();
        QVERIFY(bench_->transmitterAfterSheet() == testtune::TransmitterAfterSheet::MayBeOn);
    }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    VirtualClock clock_;
    ScriptedUi ui_;
    AppState app_;
    std::unique_ptr<Profile> profile_;
    sim::HdtModel* model_ = nullptr;
    std::unique_ptr<sim::SimDeviceFactory> factory_;
    std::unique_ptr<SerialLink> serial_;
    std::unique_ptr<Env> env_;
    std::unique_ptr<testtune::AlignmentBench> bench_;
};

TW_GUI_TEST(TestSheetWidgetTest)

#include "test_sheet_widget_test.moc"
