#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPdfWriter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/about_box.h"
#include "app/app_options.h"
#include "app/comm_settings_dialog.h"
#include "app/file_filters.h"
#include "app/page_widget.h"
#include "app/qt_ui.h"
#include "app/report_printer.h"
#include "app/single_instance.h"
#include "app/status_popup.h"
#include "controls/step_edit.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"
#include "ui/scripted_ui.h"
#include "view/family_page.h"

using namespace tw;
using namespace tw::app;

namespace {

class TwoFieldPage : public FamilyPage {
  public:
    explicit TwoFieldPage(Env& env) : FamilyPage(env) {
        controls_.add(100, "12");
        controls_.add(101, "label");
    }
    bool ReadTrackingFromRadio() override { return true; }
    bool ReadTrackingFromDisk() override { return true; }
    bool WriteTrackingToRadio() override { return true; }
    bool WriteTrackingToDisk() override { return true; }
};

void sendKey(QWidget* w, int key, bool autoRepeat, int count = 1) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat,
                    static_cast<quint16>(count));
    QApplication::sendEvent(w, &press);
}

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void aboutBoxShowsBothVersions() {
        AboutBox box(nullptr);
        QCOMPARE(box.windowTitle(), QString("About Tunewright"));
        QCOMPARE(box.text(), QString("Product Version = R17A05 : File Version = R17A05"));
    }

    void commSettingsOffersNinePortsAndWritesNothing() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("novac4.ini");
        Profile profile(ini.toStdString());
        PortMap ports(profile);
        AppState app;  // no port chosen yet: -1
        CommSettingsDialog dialog(app, ports, {}, nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Communications Settings"));
        QComboBox* list = dialog.findChild<QComboBox*>("789");
        QVERIFY(list);
        QCOMPARE(list->count(), 9);
        QCOMPARE(list->itemText(0), QString("COM 1"));
        QCOMPARE(list->itemText(8), QString("COM 9"));
        QCOMPARE(list->currentIndex(), 0);
        list->setCurrentIndex(2);
        QVERIFY(dialog.mappedDeviceText().startsWith("/dev/ttyUSB2"));
        dialog.accept();
        QCOMPARE(app.currentPort, 3);
        QVERIFY(!QFile::exists(ini));

        app.currentPort = 5;
        CommSettingsDialog again(app, ports, {}, nullptr);
        QCOMPARE(again.portList()->currentIndex(), 4);
        again.portList()->setCurrentIndex(7);
        again.reject();
        QCOMPARE(app.currentPort, 5);
    }

    void serialDeviceLineNamesTheCable() {
        SerialDeviceInfo d;
        d.path = "/dev/ttyUSB0";
        d.stableName = "/dev/serial/by-id/usb-FTDI_Cable_A1B2-if00-port0";
        d.hasUsbIds = true;
        d.vendorId = 0x0403;
        d.productId = 0x6001;
        d.serialNumber = "A1B2";
        QCOMPARE(describeSerialDevice(d),
                 QString("/dev/serial/by-id/usb-FTDI_Cable_A1B2-if00-port0 (ttyUSB0)  "
                         "USB 0403:6001  serial A1B2"));
    }

    void stepEditPagesAndClamps() {
        StepEdit edit;
        edit.setText("250");
        for (int i = 0; i < 10; ++i) sendKey(&edit, Qt::Key_PageDown, i > 0);
        QCOMPARE(edit.text(), QString("255"));
        edit.setText("0");
        sendKey(&edit, Qt::Key_PageUp, false);
        QCOMPARE(edit.text(), QString("0"));
        edit.setText("100");
        sendKey(&edit, Qt::Key_PageUp, true, 5);
        QCOMPARE(edit.text(), QString("95"));
    }

    void pageWidgetExchangesBothWays() {
        guitest::AppWindow f;
        TwoFieldPage page(f.session->env());
        PageWidget widget(page, nullptr);
        auto* edit = new QLineEdit(&widget);
        edit->setObjectName("100");
        auto* label = new QLabel(&widget);
        label->setObjectName("101");

        widget.pushToWidgets();
        QCOMPARE(edit->text(), QString("12"));
        QCOMPARE(label->text(), QString("label"));

        edit->setText("77");
        const bool ok = widget.exchange([&] {
            const bool typed = page.controls().text(100) == "77";
            page.controls().setText(101, "done");
            page.controls().setEnabled(100, false);
            return typed;
        });
        QVERIFY(ok);
        QCOMPARE(label->text(), QString("done"));
        QVERIFY(!edit->isEnabled());
    }

    void statusWindowShowsProgressForPercentages() {
        QMainWindow window;
        QtUi ui;
        ui.setWindow(&window);
        ui.openStatus();
        ui.setStatusText("Handshaking");
        StatusPopup* popup = ui.statusPopup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popup->line(), QString("Handshaking"));
        QCOMPARE(popup->percent(), -1);
        ui.setStatusText("Percent Complete = 42");
        QCOMPARE(popup->percent(), 42);
        auto* cancel = popup->findChild<QPushButton*>("statusCancel");
        QVERIFY(cancel && cancel->isHidden());  // nothing to cancel: no button
        ui.closeStatus();
        QVERIFY(!popup->isVisible());

        // An operation's own count: the bar follows it whatever the text says, each stage
        // starting anew; Cancel, Escape and the close box all ask to stop.
        int cancels = 0;
        ui.setCancelHandler([&] { ++cancels; });
        ui.openStatus();
        QCOMPARE(popup->percent(), -1);
        QVERIFY(!cancel->isHidden());
        ui.setStatusText("Writing Flash at 4096");
        ui.progress(431, 862);
        QCOMPARE(popup->percent(), 50);
        ui.setStatusText("Percent Complete = 7");
        QCOMPARE(popup->percent(), 50);
        QVERIFY(popup->timing().startsWith("Elapsed 0:0"));
        ui.progress(0, 300);
        QCOMPARE(popup->percent(), 0);
        cancel->click();
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(!popup->close());
        QCOMPARE(cancels, 3);
        // A step that must not be disrupted offers no Cancel, and Escape does nothing.
        std::vector<bool> holds;
        ui.setCancelHoldHandler([&](bool held) { holds.push_back(held); });
        ui.holdCancel(true);
        QVERIFY(cancel->isHidden());
        QTest::keyClick(popup, Qt::Key_Escape);
        QCOMPARE(cancels, 3);
        ui.holdCancel(false);
        QVERIFY(!cancel->isHidden());
        QCOMPARE(holds, (std::vector<bool>{true, false}));
        ui.setCancelHandler(nullptr);
        ui.closeStatus();

        ui.beginBusy();
        QVERIFY(QApplication::overrideCursor());
        ui.endBusy();
        ui.endBusy();  // an unmatched end does not pop somebody else's cursor
        QVERIFY(!QApplication::overrideCursor());

        ui.detail("Port /dev/ttyUSB0 is in use.");
        QCOMPARE(window.statusBar()->currentMessage(), QString("Port /dev/ttyUSB0 is in use."));
    }

    void fileFiltersBecomeQtFilters() {
        QCOMPARE(qtNameFilters("Tracking Files (*.tk1)|*.tk1|All Files (*.*)|*.*||"),
                 QStringList({"Tracking Files (*.tk1) (*.tk1)", "All Files (*.*) (*)"}));
        QCOMPARE(qtNameFilters("Images|*.hex;*.bin||"), QStringList({"Images (*.hex *.bin)"}));
        QCOMPARE(withDefaultExtension("/tmp/radio", "tk1"), QString("/tmp/radio.tk1"));
        QCOMPARE(withDefaultExtension("/tmp/radio.dat", "tk1"), QString("/tmp/radio.dat"));
        QCOMPARE(withDefaultExtension("/tmp/v1.2/radio", ".tk1"), QString("/tmp/v1.2/radio.tk1"));
    }

    void reportPrintsAtLeastOnePage() {
        QTemporaryDir dir;
        QPdfWriter empty(dir.filePath("empty.pdf"));
        QCOMPARE(printReport(empty, {}), 1);
        QPdfWriter longer(dir.filePath("long.pdf"));
        QVERIFY(printReport(longer, std::vector<std::string>(300, "SQUELCH:")) > 1);
    }

    void secondInstanceIsRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath("tunewright.lock");
        {
            SingleInstance first(path);
            QVERIFY(first.acquired());
            SingleInstance second(path);
            QVERIFY(!second.acquired());
        }
        SingleInstance later(path);
        QVERIFY(later.acquired());
    }

    void commandLineOptions() {
        AppOptions o;
        std::string why;
        QVERIFY(parseAppOptions({"--simulate", "--device", "/dev/pts/3", "--service"}, o, why));
        QVERIFY(o.simulate && o.service);
        QCOMPARE(o.device, std::string("/dev/pts/3"));
        AppOptions bad;
        QVERIFY(!parseAppOptions({"--ini"}, bad, why));
        QCOMPARE(why, std::string("--ini needs a value"));
        QVERIFY(!parseAppOptions({"--port", "3"}, bad, why));

        // Simulated radios' options name their family.
        AppOptions sim;
        QVERIFY(parseAppOptions({"--simulate", "--sim-option", "blt:version=2", "--sim-option",
                                 "hln:type=A", "--sim-option", "blt:hdt.band=0x35"},
                                sim, why));
        QVERIFY(sim.simOptions ==
                (std::map<std::string, std::map<std::string, std::string>>{
                    {"blt", {{"version", "2"}, {"hdt.band", "0x35"}}}, {"hln", {{"type", "A"}}}}));
        const std::pair<std::vector<std::string>, std::string> refused[] = {
            {{"--simulate", "--sim-option", "version=2"}, "--sim-option needs FAMILY:KEY=VALUE"},
            {{"--simulate", "--sim-option", "blt:=2"}, "--sim-option needs FAMILY:KEY=VALUE"},
            {{"--simulate", "--sim-option", "gve:type=A"}, "--sim-option: no family gve"},
            {{"--sim-option", "blt:version=2"}, "--sim-option needs --simulate"}};
        for (const auto& [args, message] : refused) {
            AppOptions o2;
            QVERIFY(!parseAppOptions(args, o2, why));
            QCOMPARE(why, message);
        }
    }
};

TW_GUI_TEST(WidgetsTest)
#include "widgets_test.moc"
