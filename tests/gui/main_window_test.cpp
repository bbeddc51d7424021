#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <mutex>

#include "app/page_widget.h"
#include "app/simulated_radios.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

QStringList actionTexts(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QString("|") : a->text());
    return out;
}

QMenu* menuNamed(QWidget* bar, const QString& title) {
    for (QAction* a : bar->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void tabsCarryFamilyLabelsInOrder() {
        AppWindow f;
        QCOMPARE(f.window->windowTitle(), QString("Tunewright"));
        const QStringList expected = {"KVR/ORBIT FTX",
                                      "TRV/TRW/HLN/OKT/NOVAC 30P/RWS KVR",
                                      "BLT/GVE/Lyra/NOVAC 60M/Ocelot/R210/R310/V310",
                                      "WLA",
                                      "WLB",
                                      "MARTEN 60P",
                                      "MARTEN 30"};
        QTabWidget* tabs = f.window->tabs();
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i) shown << tabs->tabText(i);
        QCOMPARE(shown, expected);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void menusAndToolbarHoldTheCommands() {
        AppWindow f;
        QMenuBar* bar = f.window->menuBar();
        QCOMPARE(actionTexts(bar->actions()), QStringList({"&File", "&Radio", "&View", "&Help"}));
        QCOMPARE(actionTexts(menuNamed(bar, "&File")->actions()),
                 QStringList({"|", "&Print...", "Print Pre&view", "P&rint Setup...", "|",
                              "Open &History Folder", "Service &Record...", "|", "E&xit"}));
        QMenu* radio = menuNamed(bar, "&Radio");
        QCOMPARE(actionTexts(radio->actions()),
                 QStringList({"&Get Status", "&Comm Settings", "&Read", "&Write",
                              "Compare with &File..."}));
        QCOMPARE(actionTexts(menuNamed(radio, "&Write")->actions()),
                 QStringList({"&Tracking Data to Radio", "Tracking Data to &Disk",
                              "Feature Data to &Radio", "&Feature Data to Disk"}));
        QVERIFY(!f.window->action(Command::TestMode));

        QAction* readDisk = f.window->action(Command::ReadTrackingFromDisk);
        QCOMPARE(readDisk->statusTip(), QString("Read the Tracking Data from a File on Disk"));
        QCOMPARE(readDisk->toolTip(), QString("Read Tracking Data from File"));

        using C = Command;
        const C gap = C(0);  // a separator
        QList<QAction*> expected;
        for (C c : {C::Print, C::About, gap, C::GetStatus, C::CommSettings, gap,
                    C::ReadTrackingFromRadio, C::ReadTrackingFromDisk, C::ReadFeaturesFromRadio,
                    C::ReadFeaturesFromDisk, gap, C::WriteTrackingToRadio, C::WriteTrackingToDisk,
                    C::WriteFeaturesToRadio, C::WriteFeaturesToDisk})
            expected << (c == gap ? nullptr : f.window->action(c));
        QList<QAction*> shown;  // separators as null
        for (QAction* a : f.window->toolbar()->actions()) shown << (a->isSeparator() ? nullptr : a);
        QCOMPARE(shown, expected);
    }

    void serviceModeOffersCheckableTestMode() {
        AppWindow f(true);
        QAction* test = f.window->action(Command::TestMode);
        QVERIFY(test && test->isCheckable());
        QVERIFY(menuNamed(f.window->menuBar(), "&Radio")->actions().contains(test));
        QVERIFY(!f.window->toolbar()->actions().contains(test));
        f.window->tabs()->setCurrentIndex(4);
        test->trigger();
        f.window->waitForOperation();
        QVERIFY(test->isChecked());
        test->trigger();
        f.window->waitForOperation();
        QVERIFY(!test->isChecked());
    }

    // Which command suits which tab is the view's rule; the actions follow it on every tab.
    void actionsFollowTheViewOnEveryTab() {
        AppWindow f;
        for (int tab = 0; tab < 7; ++tab) {
            f.window->tabs()->setCurrentIndex(tab);
            QCOMPARE(f.session->view().selectedTab(), tab);
            for (Command c : {Command::GetStatus, Command::CommSettings,
                              Command::ReadTrackingFromRadio, Command::ReadTrackingFromDisk,
                              Command::ReadFeaturesFromRadio, Command::WriteFeaturesToDisk})
                QCOMPARE(f.window->action(c)->isEnabled(), f.session->view().enabled(c));
            QVERIFY(f.window->action(Command::CommSettings)->isEnabled());
        }
    }

    void testModeLocksTheTabStrip() {
        AppWindow f;
        f.window->tabs()->setCurrentIndex(4);
        QVERIFY(f.window->runCommand(Command::TestMode));
        f.window->waitForOperation();
        QVERIFY(f.session->view().testMode());
        QVERIFY(f.ui.events().empty());  // tab 4 is locked without telling the page

        f.window->tabs()->setCurrentIndex(2);
        QCOMPARE(f.ui.messages(),
                 std::vector<std::string>{"Cannot change tabs while in Test Mode."});
        QCOMPARE(f.window->tabs()->currentIndex(), 4);
        QCOMPARE(f.window->tabs()->tabBar()->currentIndex(), 4);
        QCOMPARE(f.session->view().selectedTab(), 4);
        QCOMPARE(f.window->tabs()->currentWidget(), f.window->pageWidget(4));
        QVERIFY(f.window->pageWidget(4)->isEnabled());

        QVERIFY(f.window->runCommand(Command::TestMode));

        f.window->waitForOperation();
        f.window->tabs()->setCurrentIndex(2);
        QCOMPARE(f.session->view().selectedTab(), 2);
        QVERIFY(!f.window->pageWidget(4)->isEnabled());
        QCOMPARE(f.ui.messages().size(), std::size_t(1));
    }

    void simulatedRadioFollowsTheSelectedTab() {
        AppWindow f;
        SimulatedRadios& radios = *f.session->simulated();
        QVERIFY(f.window->runCommand(Command::ReadTrackingFromRadio));
        f.window->waitForOperation();
        QVERIFY(radios.radio("kvr").opens() >= 1);
        QCOMPARE(radios.radio("marten30").opens(), 0);
        f.window->tabs()->setCurrentIndex(6);
        QVERIFY(f.window->runCommand(Command::ReadTrackingFromRadio));
        f.window->waitForOperation();
        QVERIFY(radios.radio("marten30").opens() >= 1);
        // What the operation left in the page is what its widgets show.
        PageWidget* page = f.window->pageWidget(6);
        for (const auto& c : page->page().controls().all())
            if (QWidget* w = page->control(c.id)) QCOMPARE(w->isEnabled(), c.enabled);
    }

    // While radio work runs the window stays usable but nothing starts other radio work;
    // Cancel during a write asks first, then the operation ends on its failure path with the
    // one cancel notice, and every control comes back.
    void cancelDuringAWriteAsksAndEndsTheOperation() {
        // Declared before the window, so they outlive the worker should a check fail.
        std::mutex gate;
        bool wroteAfterCancel = true;
        AppWindow f;
        SerialLink& link = f.session->link();
        std::unique_lock<std::mutex> held(gate);
        QVERIFY(f.window->startOperation(f.page(0), RadioWork::Write, [&] {
            const SlkHandle h = link.slkInit(1, 9600);
            std::lock_guard<std::mutex> wait(gate);  // until the test has pressed Cancel
            wroteAfterCancel = link.slkWriteBuffer(h, "x", 1) != 0;
            if (!wroteAfterCancel) f.session->env().ui.message("Unable to write.");
            return wroteAfterCancel;
        }));
        QVERIFY(f.window->operating());
        QVERIFY(!f.window->tabs()->isEnabled());
        QVERIFY(!f.window->action(Command::CommSettings)->isEnabled());
        QVERIFY(!f.window->action(Command::GetStatus)->isEnabled());
        QVERIFY(f.window->action(Command::About)->isEnabled());
        QVERIFY(!f.window->runCommand(Command::GetStatus));  // one operation at a time

        f.ui.answers = {false, true};  // the first Cancel is taken back, the second meant
        f.window->requestCancel();
        f.window->requestCancel();
        held.unlock();
        QVERIFY(!f.window->waitForOperation());
        QVERIFY(!wroteAfterCancel);
        const std::string stop =
            "Stop the operation now?\nThe radio may hold part of the new data.";
        QCOMPARE(f.ui.messages(),
                 (std::vector<std::string>{stop, stop, cancelNotice(RadioWork::Write)}));
        QVERIFY(!link.isOpen(1));
        QVERIFY(f.window->tabs()->isEnabled());
        QVERIFY(f.window->action(Command::CommSettings)->isEnabled());
        QVERIFY(f.window->action(Command::GetStatus)->isEnabled());
    }

    void tabKeyMovesBetweenStripAndPage() {
        AppWindow f;
        f.window->show();
        QTabBar* strip = f.window->tabs()->tabBar();
        QWidget* first = f.window->pageWidget(0)->control(1054);
        QVERIFY(first);
        strip->setFocus();
        QTest::keyClick(strip, Qt::Key_Tab);
        QCOMPARE(f.window->focusWidget(), first);
        QTest::keyClick(first, Qt::Key_Backtab);
        QCOMPARE(f.window->focusWidget(), static_cast<QWidget*>(strip));
        QTest::keyClick(strip, Qt::Key_Backtab);
        QWidget* last = f.window->focusWidget();
        QVERIFY(last != strip && f.window->pageWidget(0)->isAncestorOf(last));
        QTest::keyClick(last, Qt::Key_Tab);
        QCOMPARE(f.window->focusWidget(), static_cast<QWidget*>(strip));
    }
};

TW_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
