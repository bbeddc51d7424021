#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "app/page_widget.h"
#include "families/hln/tracking_layout.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

QLineEdit* box(const AppWindow& f, int tab, int id) {
    return qobject_cast<QLineEdit*>(f.page(tab)->control(id));
}

bool marked(const QLineEdit* e) {
    return e->styleSheet().contains("red") && !e->toolTip().isEmpty();
}

}  // namespace

class ValueMarksTest : public QObject {
    Q_OBJECT
  private slots:
    // Typed or pushed from the page, a value the check before a write would refuse is framed
    // with what the box allows, and the frame goes when the value is put right.
    void boxIsMarkedWhileItsValueIsRefused() {
        AppWindow f;
        f.window->show();
        QLineEdit* modulation = box(f, 0, 1043);  // KVR low modulation: 0 to 31
        QVERIFY(modulation && !marked(modulation));
        QTest::keyClicks(modulation, "40");
        QVERIFY(marked(modulation));
        QCOMPARE(modulation->toolTip(), QString("Out of range. Allowed: 0 to 31"));
        QTest::keyClick(modulation, Qt::Key_Backspace);
        QVERIFY(modulation->styleSheet().isEmpty());
        QVERIFY(modulation->toolTip().isEmpty());
        QTest::keyClicks(modulation, "x");
        QCOMPARE(modulation->toolTip(), QString("Not a whole number. Allowed: 0 to 31"));
        QTest::keyClick(modulation, Qt::Key_Backspace);
        QVERIFY(!marked(modulation));

        PageWidget* hln = f.page(1);
        hln->page().controls().setText(hln::ids::kSquelchMid, "100");
        hln->pushToWidgets();
        QLineEdit* squelch = box(f, 1, hln::ids::kSquelchMid);
        QCOMPARE(squelch->toolTip(), QString("Out of range. Allowed: 144 to 226"));
        hln->page().controls().setText(hln::ids::kSquelchMid, "150");
        hln->pushToWidgets();
        QVERIFY(!marked(squelch));
        // A box without a value rule is never marked, whatever it shows.
        hln->page().controls().setText(hln::ids::kModel, "??");
        hln->pushToWidgets();
        QVERIFY(!marked(box(f, 1, hln::ids::kModel)));
    }

    // A write refused by the range check keeps its message; afterwards the focus is in the box
    // the message names, its text selected for retyping.
    void refusedWritePutsTheFocusInTheNamedBox() {
        AppWindow f;
        f.window->show();
        QLineEdit* lowModulation = box(f, 0, 1043);
        QLineEdit* midModulation = box(f, 0, 1046);
        lowModulation->setText("50");
        midModulation->setText("77");
        f.window->tabs()->tabBar()->setFocus();
        QVERIFY(f.window->runCommand(Command::WriteTrackingToRadio));
        QVERIFY(!f.window->waitForOperation());
        QCOMPARE(f.ui.messages().back(),
                 std::string("Valid range for mid modulation setting is 0-31."));
        QCOMPARE(f.window->focusWidget(), static_cast<QWidget*>(midModulation));
        QCOMPARE(midModulation->selectedText(), QString("77"));

        // A later operation that names no box does not send the focus there again.
        midModulation->setText("7");
        lowModulation->setText("7");
        f.window->tabs()->tabBar()->setFocus();
        QVERIFY(f.window->runCommand(Command::WriteTrackingToRadio));
        QVERIFY(f.window->waitForOperation());
        QVERIFY(f.window->focusWidget() != midModulation);
    }
};

TW_GUI_TEST(ValueMarksTest)
#include "value_marks_test.moc"
