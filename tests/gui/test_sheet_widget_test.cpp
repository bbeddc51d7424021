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
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();  // a fresh profile for every test
        profile_ = std::make_unique<Profile>(dir_->filePath("novac4.ini").toStdString());
        profile_->writeString(profile_keys::kCommSection, profile_keys::kPortNumber, "1");
        auto model = std::make_unique<sim::HdtModel>(sim::ModelOptions{});
        model_ = model.get();
        factory_ = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
        serial_ = std::make_unique<SerialLink>(*profile_, *factory_, clock_, ui_);
        env_ = std::make_unique<Env>(Env{ui_, clock_, *profile_, *serial_, app_});
        bench_ = std::make_unique<testtune::AlignmentBench>(*env_);
    }
    void cleanup() { bench_.reset(); }

    void wizardButtonsFollowTheRunningTest() {
        testtune::CTestSheet* sheet = bench_->Launch(testtune::TestSheetChoice::Frontcap);
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
        testtune::CTestSheet* sheet = bench_->Launch(testtune::TestSheetChoice::StandardRf);
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
        testtune::CTestSheet* sheet = bench_->Launch(testtune::TestSheetChoice::StandardRf);
        QVERIFY(sheet);
        auto box = buildDialogWidget(nullptr, *sheet);
        QVERIFY(sheet->Next());
        for (const auto& row : testtune::kPowerTable)
            QVERIFY(box->findChild<QScrollBar*>(QString::number(row.controlId)));
    }

    void aStreamingTestShowsItsDialogUntilStop() {
        testtune::CTestSheet* sheet = bench_->Launch(testtune::TestSheetChoice::Io);
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
