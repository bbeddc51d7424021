#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "app/page_widget.h"
#include "app/simulated_radios.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

constexpr int kWlbTab = 4;
constexpr int kWlbField = 2040;

// The status bar's line with each clock time replaced by "T".
QString sourceLine(const AppWindow& f) {
    auto* pane = f.window->findChild<QLabel*>("sourceLine");
    if (!pane) return "(no pane)";
    return pane->text().replace(QRegularExpression("\\d\\d:\\d\\d:\\d\\d"), "T");
}

// Types into a WLB field as the technician would.
void typeIntoField(AppWindow& f, const QString& text) {
    auto* field = qobject_cast<QLineEdit*>(f.page(kWlbTab)->control(kWlbField));
    QVERIFY(field);
    field->selectAll();
    QTest::keyClicks(field, text);
}

bool run(AppWindow& f, Command c) {
    if (!f.window->runCommand(c)) return false;
    return f.window->waitForOperation();
}

}  // namespace

class SourceLineTest : public QObject {
    Q_OBJECT
  private slots:
    void statusBarSaysWhereTheValuesCameFrom() {
        AppWindow f(false, kWlbTab);
        QCOMPARE(sourceLine(f), QString());
        QVERIFY(run(f, Command::ReadTrackingFromRadio));
        QCOMPARE(sourceLine(f), QString("Read from radio WLB at T"));

        typeIntoField(f, "7");
        QCOMPARE(sourceLine(f), QString("Edited since read from radio WLB at T"));

        f.session->simulated()->radio("wlb").failOpens("unplugged");
        QVERIFY(!run(f, Command::ReadTrackingFromRadio));
        QCOMPARE(sourceLine(f), QString("Tracking data read failed at T; the values shown are "
                                        "from radio WLB, read at T, edited since"));
        // Each tab has its own line.
        f.window->tabs()->setCurrentIndex(0);
        QCOMPARE(sourceLine(f), QString());
    }

    // Closing over edits asks, naming the tab; Cancel keeps the window, Save writes the
    // page's file first (a save the page refuses keeps the window), Discard lets it go.
    void closingOverEditsAsksFirst() {
        struct Case {
            SaveAnswer answer;
            bool read;  // a page never read holds values its Write to Disk refuses
            bool closes;
        };
        for (const Case c :
             {Case{SaveAnswer::Cancel, true, false}, Case{SaveAnswer::Save, true, true},
              Case{SaveAnswer::Discard, true, true}, Case{SaveAnswer::Save, false, false}}) {
            AppWindow f(false, kWlbTab);
            if (c.read) QVERIFY(run(f, Command::ReadTrackingFromRadio));
            typeIntoField(f, "9");
            f.ui.saveAnswers = {c.answer};
            const std::string saved = f.dir.filePath("edits.tk5").toStdString();
            f.ui.files = {saved};
            const std::size_t before = f.ui.messages().size();
            QCOMPARE(f.window->close(), c.closes);
            QCOMPARE(f.ui.messages().at(before),
                     std::string("Values edited on the \"WLB\" tab have been neither written to "
                                 "a radio nor saved to a file.\nSave them before closing?"));
            QCOMPARE(std::filesystem::exists(saved), c.answer == SaveAnswer::Save && c.read);
        }
    }

    void loadingOverEditsAsksFirst() {
        AppWindow f(false, kWlbTab);
        QVERIFY(run(f, Command::ReadTrackingFromRadio));
        typeIntoField(f, "9");
        f.ui.saveAnswers = {SaveAnswer::Cancel};
        QVERIFY(!f.window->runCommand(Command::ReadTrackingFromDisk));
        QVERIFY(f.ui.fileChoices().empty());
        QVERIFY(f.session->view().page(kWlbTab).unsaved(DataSet::Tracking));

        // Saving first, then the load goes on: two file choices, the save's and the load's.
        const std::string saved = f.dir.filePath("first.tk5").toStdString();
        f.ui.saveAnswers = {SaveAnswer::Save};
        f.ui.files = {saved, saved};
        QVERIFY(run(f, Command::ReadTrackingFromDisk));
        QCOMPARE(f.ui.fileChoices().size(), std::size_t(2));
        QVERIFY(!f.session->view().page(kWlbTab).unsaved(DataSet::Tracking));
        QVERIFY(sourceLine(f).startsWith("Loaded from "));

        // Discard loads over the edits: one file choice, the load's.
        typeIntoField(f, "8");
        f.ui.saveAnswers = {SaveAnswer::Discard};
        f.ui.files = {saved};
        QVERIFY(run(f, Command::ReadTrackingFromDisk));
        QCOMPARE(f.ui.fileChoices().size(), std::size_t(3));
        QVERIFY(!f.session->view().page(kWlbTab).unsaved(DataSet::Tracking));

        // Nothing edited since: the window closes without a question.
        const std::size_t asked = f.ui.messages().size();
        QVERIFY(f.window->close());
        QCOMPARE(f.ui.messages().size(), asked);
    }
};

TW_GUI_TEST(SourceLineTest)
#include "source_line_test.moc"
