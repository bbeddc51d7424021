#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dialog_widgets.h"
#include "gui/gui_test.h"
#include "testtune/pick_test.h"

using namespace tw;
using namespace tw::app;

class TestTuneWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void pickerButtonsPickTheirSheet() {
        testtune::CPickTestDlg dialog;
        auto box = buildDialogWidget(nullptr, dialog);
        QCOMPARE(box->windowTitle(), QString("Pick A Test"));
        QStringList texts;
        for (const char* code : {"102", "103", "104"}) {
            auto* button = box->findChild<QPushButton*>(code);
            QVERIFY(button);
            texts << button->text();
        }
        QCOMPARE(texts, QStringList({"I/O Tests", "Standard RF", "Frontcap RF"}));

        // Shown modally: a sheet button ends it with that sheet, Cancel with none.
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<DialogBox*>(QApplication::activeModalWidget());
            if (shown) shown->findChild<QPushButton*>("103")->click();
        });
        QVERIFY(runDialogWidget(nullptr, dialog));
        QCOMPARE(dialog.choice(), testtune::TestSheetChoice::StandardRf);

        QTimer::singleShot(0, [] {
            if (auto* shown = qobject_cast<DialogBox*>(QApplication::activeModalWidget()))
                shown->reject();
        });
        QVERIFY(!runDialogWidget(nullptr, dialog));
        QVERIFY(!dialog.choice().has_value());
    }
};

TW_GUI_TEST(TestTuneWidgetsTest)

#include "testtune_widgets_test.moc"
