#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/page_widget.h"
#include "families/compact/wla_record.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

class WlaWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutHoldsTheGroupsAndFields() {
        AppWindow f(false, 3);
        PageWidget* page = f.window->pageWidget(3);
        QStringList titles;
        for (auto* g : page->findChildren<QGroupBox*>()) titles << g->title();
        QCOMPARE(titles, (QStringList{"Radio Status", "Tracking Data", "Radio Application Code"}));
        for (int id : {1008, 1012, 2011}) QVERIFY(qobject_cast<QLabel*>(page->control(id)));
        for (const auto& field : compact::kWlaFields)
            QVERIFY2(qobject_cast<QLineEdit*>(page->control(field.control)),
                     qPrintable(QString::number(field.control)));
        QStringList labels;
        for (auto* l : page->findChildren<QLabel*>()) labels << l->text();
        for (const char* text : {"Radio Type:", "RF Type:", "Max. Power:", "TX Low Power:",
                                 "TX High Power:", "TX Deviation SP1:", "TX Deviation SP2:",
                                 "Squelch 12.5:", "Squelch 20:", "Squelch 25/30:"})
            QVERIFY2(labels.contains(text), text);
    }

    void readFillsThePageAndThePreview() {
        AppWindow f(false, 3);
        QVERIFY(f.window->runCommand(Command::ReadTrackingFromRadio));
        f.window->waitForOperation();
        PageWidget* page = f.window->pageWidget(3);
        QCOMPARE(qobject_cast<QLabel*>(page->control(2011))->text(), QString("40W"));
        QCOMPARE(qobject_cast<QLineEdit*>(page->control(1006))->text(), QString("120"));
        // A value typed after the read is what the report prints.
        qobject_cast<QLineEdit*>(page->control(1010))->setText("77");
        const std::vector<std::string> lines = f.window->collectReport();
        QVERIFY(lines.size() > 6);
        QCOMPARE(QString::fromStdString(lines.at(6)),
                 QString("TX Low Power        120     77     140"));
    }
};

TW_GUI_TEST(WlaWidgetTest)
#include "wla_widget_test.moc"
