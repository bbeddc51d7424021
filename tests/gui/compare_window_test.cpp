#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include "app/compare_dialog.h"
#include "app/page_widget.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

constexpr int kWlbTab = 4;

bool run(AppWindow& f, Command c) {
    if (!f.window->runCommand(c)) return false;
    return f.window->waitForOperation();
}

int visibleRows(const QTableWidget* t) {
    int n = 0;
    for (int r = 0; r < t->rowCount(); ++r) n += t->isRowHidden(r) ? 0 : 1;
    return n;
}

}  // namespace

class CompareWindowTest : public QObject {
    Q_OBJECT
  private slots:
    // The page as its widgets show it now against the file it was saved to: the one value
    // typed since differs, marked, and the switch leaves only that row.
    void comparesThePageWithAFileFieldByField() {
        AppWindow f(false, kWlbTab);
        QVERIFY(run(f, Command::ReadTrackingFromRadio));
        const std::string saved = f.dir.filePath("radio.tk5").toStdString();
        f.ui.files = {saved};
        QVERIFY(run(f, Command::WriteTrackingToDisk));
        auto* field = qobject_cast<QLineEdit*>(f.page(kWlbTab)->control(2040));
        QVERIFY(field);
        const QString was = field->text();
        field->setText(was == "7" ? "8" : "7");

        f.ui.files = {saved};
        QVERIFY(f.window->compareWithFile());
        auto* dialog = f.window->findChild<CompareDialog*>();
        QVERIFY(dialog);
        QCOMPARE(dialog->summary()->text(), QString("1 field differs"));
        QTableWidget* table = dialog->table();
        QVERIFY(table->rowCount() > 10);
        int marked = -1;
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->font().bold()) marked = r;
        QVERIFY(marked >= 0);
        QCOMPARE(table->item(marked, 2)->text(), was);
        dialog->onlyDifferences()->setChecked(true);
        QCOMPARE(visibleRows(table), 1);
        dialog->onlyDifferences()->setChecked(false);
        QCOMPARE(visibleRows(table), table->rowCount());
    }

    void aFileOfAnotherKindIsRefusedInOneMessage() {
        AppWindow f(false, kWlbTab);
        const std::string other = f.dir.filePath("radio.tk1").toStdString();
        f.ui.files = {other};
        QVERIFY(!f.window->compareWithFile());
        QCOMPARE(f.ui.messages().size(), std::size_t(1));
        QVERIFY(!f.window->findChild<CompareDialog*>());
    }

    void serviceRecordOfTheRadioOnTheBench() {
        AppWindow f(false, kWlbTab);
        QVERIFY(run(f, Command::ReadTrackingFromRadio));
        QVERIFY(f.window->showServiceRecord());
        auto* dialog = f.window->findChild<QDialog*>("serviceRecord");
        QVERIFY(dialog);
        QVERIFY(dialog->windowTitle().endsWith("WLB"));
        const QString text = dialog->findChild<QPlainTextEdit*>("lines")->toPlainText();
        QVERIFY2(text.contains("first copy"), qPrintable(text));
    }
};

TW_GUI_TEST(CompareWindowTest)
#include "compare_window_test.moc"
