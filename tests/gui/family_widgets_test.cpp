#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/dialog_widgets.h"
#include "app/page_widget.h"
#include "config/profile.h"
#include "controls/hex_edit.h"
#include "controls/step_edit.h"
#include "families/blt/blt_dialogs.h"
#include "families/hln/select_radio_type.h"
#include "families/hln/tracking_layout.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "families/kvr/marten30_dialogs.h"
#include "gui/app_window.h"
#include "gui/gui_test.h"

using namespace tw;
using namespace tw::app;
using tw::guitest::AppWindow;

namespace {

QGroupBox* group(QWidget* w, const QString& title) {
    for (auto* g : w->findChildren<QGroupBox*>())
        if (g->title() == title) return g;
    return nullptr;
}

QStringList labels(QWidget* w, Qt::FindChildOptions depth = Qt::FindChildrenRecursively) {
    QStringList out;
    for (auto* l : w->findChildren<QLabel*>(QString(), depth)) out << l->text();
    return out;
}

// Names of a group's own step edits in creation order; every one takes a byte in at most three
// digits.
QStringList editNames(QWidget* w) {
    QStringList out;
    for (auto* e : w->findChildren<StepEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (e->minimum() != 0 || e->maximum() != 255 || e->maxLength() != 3) return {"bad edit"};
        out << e->objectName();
    }
    return out;
}

QStringList names(std::initializer_list<int> ids) {
    QStringList out;
    for (int id : ids) out << QString::number(id);
    return out;
}

QStringList lines(QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

}  // namespace

class FamilyWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    // Which labels and step edits a group of a page holds itself (an empty list is not checked).
    void pageGroupsHoldTheirLabelsAndStepEdits() {
        using namespace hln::ids;
        const struct {
            int tab;
            const char* group;
            QStringList labels, edits;
        } rows[] = {
            {0,
             "Tracking Data",
             {"Low", "Mid", "High", "Squelch:", "High Power:", "Low Power:", "Modulation:"},
             names({1005, 1009, 1013, 1017, 1020, 1022, 1034, 1037, 1040, 1043, 1046, 1049})},
            {0,
             "Talk Around",
             {"Low", "Mid", "High", "High Power:", "Low Power:", "Modulation:"},
             names({1071, 1076, 1079, 1084, 1087, 1090, 1093, 1096, 1099})},
            {1,
             "Tracking Data",
             {},
             names({kSquelchLow, kSquelchMid, kSquelchHigh, kHighPowerLow, kHighPowerMid,
                    kHighPowerHigh, kLowPowerLow, kLowPowerMid, kLowPowerHigh, kModLow, kModMid,
                    kModHigh, kDataModLow, kDataModMid, kDataModHigh})},
            {1,
             "Talk Around",
             {"Low", "Mid", "High", "High Power:", "Low Power:", "Modulation:", "Data Mod:"},
             names({kTaHighPowerLow, kTaHighPowerMid, kTaHighPowerHigh, kTaLowPowerLow,
                    kTaLowPowerMid, kTaLowPowerHigh, kTaModLow, kTaModMid, kTaModHigh,
                    kTaDataModLow, kTaDataModMid, kTaDataModHigh})},
            {4,
             "Squelch",
             {"Wide Band", "Narr Band", "Opening", "Closing ", "Offset Low", "Offset High"},
             names({2040, 2041, 2042, 2043, 2044, 2045, 2046, 2047})},
            {4,
             "Tracking Data",
             {"Low", "Mid", "High", "RF Low Power", "RF High Power", "TX Dev(Wid Bnd)",
              "Ref Oscillator Frequency Adjust", "Low Voltage Cutoff", "Adjustable Squelch Offset"},
             names({2048, 2049, 2056, 2050, 2051, 2052, 2053, 2054, 2055, 2057, 2058, 2059})},
            {5, "Squelch", {}, names({2040, 2041, 2042, 2043})},
            {5,
             "Tracking Data",
             {},
             names({2048, 2049, 2056, 2050, 2051, 2052, 2053, 2054, 2055, 2057, 2058, 2063})},
        };
        AppWindow f;
        for (const auto& r : rows) {
            const QString where = QString("tab %1 %2").arg(r.tab).arg(r.group);
            QGroupBox* g = group(f.window->pageWidget(r.tab), r.group);
            QVERIFY2(g, qPrintable(where));
            if (!r.labels.isEmpty()) QCOMPARE(labels(g, Qt::FindDirectChildrenOnly), r.labels);
            QCOMPARE(editNames(g), r.edits);
        }
        QVERIFY(labels(group(f.window->pageWidget(5), "Tracking Data")).contains("TX Dev Offset"));
        // Talk-around sits beside the tracking grid; the compact pages nest squelch inside it.
        QVERIFY(!group(f.window->pageWidget(1), "Tracking Data")
                     ->isAncestorOf(group(f.window->pageWidget(1), "Talk Around")));
        QVERIFY(group(f.window->pageWidget(4), "Tracking Data")
                    ->isAncestorOf(group(f.window->pageWidget(4), "Squelch")));
        for (const char* title : {"Radio Status", "Feature Data"})
            QVERIFY(group(f.window->pageWidget(1), title));
    }

    // Buttons and text fields by control id, and where the tab key lands first on each page.
    void pageControlsCarryTheirTextsAndLimits() {
        const struct {
            int tab;
            std::vector<int> ids;
            QStringList texts;
        } buttons[] = {
            {0, {1054}, {"Radio Type"}},
            {2,
             {2002, 2003, 2016, 2005, 1003, 2017, 2062, 1015, 1002, 1001, 2004},
             {"Tracking Data &Edit ...", "Feature Data E&dit ...", "Version Upgrade ...",
              "&Radio Information", "Re&covery", "&GVE Alignment", "Desktop ...",
              "&Write Code to File ...", "Write ADI/DSP to File  ...", "Jump", "R&adio Recovery"}},
            {3, {2013, 2014}, {"Write Code to File ...", "Reflash Radio from File ..."}},
            {4, {2066}, {"Defaults"}},
            {5, {2068}, {"Defaults"}}};
        const struct {
            int tab, id, maxLength;
        } fields[] = {{1, 1062, 15}, {1, 1074, 12}, {4, 2061, 20}, {4, 2060, 15}};
        const std::pair<int, int> firstControls[] = {{2, 2002}, {3, 1006}, {4, 2040}, {5, 0}};
        AppWindow f;
        for (const auto& b : buttons) {
            QStringList texts;
            for (int id : b.ids)
                if (auto* button =
                        qobject_cast<QPushButton*>(f.window->pageWidget(b.tab)->control(id)))
                    texts << button->text();
            QCOMPARE(texts, b.texts);
        }
        for (const auto& e : fields)
            QCOMPARE(
                qobject_cast<QLineEdit*>(f.window->pageWidget(e.tab)->control(e.id))->maxLength(),
                e.maxLength);
        for (auto [tab, id] : firstControls)
            QCOMPARE(f.window->pageWidget(tab)->firstControl(), id);
        QVERIFY(group(f.window->pageWidget(0), "Radio Status")
                    ->isAncestorOf(f.window->pageWidget(0)->control(1054)));
    }

    void hlnFeatureFieldTakesOnlyHexDigits() {
        AppWindow f;
        f.window->tabs()->setCurrentIndex(1);
        auto* hex = f.window->pageWidget(1)->findChild<CHexEdit*>("1073");
        QVERIFY(hex);
        QTest::keyClicks(hex, "0a g-F9 x1");
        QCOMPARE(hex->text(), QString("0A F9 1"));
        QTest::keyClick(hex, Qt::Key_Backspace);
        QCOMPARE(hex->text(), QString("0A F9 "));
    }

    void kvrRadioTypeWindowShowsListsAndPreselection() {
        AppWindow f;
        f.session->env().app.simulated = false;  // a real bench reads the Translators folder
        // Records 1 and 9 offered (present flag, unused word, four edges in Hz, little-endian);
        // the radio sits on record 9's edges.
        QByteArray bytes(864 + 16 * 24, '\0');
        const quint32 records[][6] = {{1, 1, 136000000, 150800000, 136000000, 150800000},
                                      {9, 1, 450000000, 470000000, 450000000, 470000000}};
        for (const auto& r : records)
            for (int word = 0; word < 5; ++word)
                for (int i = 0; i < 4; ++i)
                    bytes[864 + static_cast<int>(r[0]) * 24 + (word ? 4 + 4 * word : 0) + i] =
                        static_cast<char>(r[word + 1] >> (8 * i));
        QFile file(f.dir.filePath("rfdata.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        f.session->profile().writeString(profile_keys::kDirectorySection,
                                         profile_keys::kTranslators, f.dir.path().toStdString());

        kvr::KvrLink link(f.session->env());
        kvr::InitialData data;
        data.radioType = 2;
        data.edges = {450e6, 470e6, 450e6, 470e6};
        kvr::CKvrRadioTypeDlg dlg(f.session->env(), link, data);
        dlg.OnInitDialog();
        auto box = buildDialogWidget(nullptr, dlg);
        QVERIFY(box->windowTitle().isEmpty());
        auto* types = box->findChild<QListWidget*>("1513");
        auto* splits = box->findChild<QListWidget*>("1515");
        QVERIFY(types && splits);
        QCOMPARE(lines(types), QStringList({"PNR", "K-VR Select", "K-VR Scan", "K-VR System"}));
        QCOMPARE(lines(splits), QStringList({"136.0000-150.8000    136.0000-150.8000",
                                             "450.0000-470.0000    450.0000-470.0000"}));
        QCOMPARE(types->currentRow(), 2);
        QCOMPARE(splits->currentRow(), 1);
        for (const char* text : {"Radio Type", "Bandsplit Settings"})
            QVERIFY(group(box.get(), text));
        QCOMPARE(labels(box.get()), QStringList({"Transmit Frequency", "Receive Frequency"}));

        QPushButton* write = nullptr;
        QPushButton* cancel = nullptr;
        for (auto* b : box->findChildren<QPushButton*>())
            (b->text() == "Write To Radio" ? write : cancel) = b;
        QVERIFY(write && cancel && cancel->text().remove('&') == "Cancel");
        // Without a band split the write refuses and the window stays; Cancel then closes it
        // without anything sent.
        splits->clearSelection();
        write->click();
        QCOMPARE(box->result(), int(QDialog::Rejected));
        QVERIFY(f.ui.messages().back() == kvr::messages::kChooseTypeAndSplit);
        cancel->click();
        QVERIFY(!box->conclude());
    }

    // The simulated bench lists the built sample's band splits; a bench with none greys
    // Write To Radio.
    void kvrRadioTypeWindowOnTheSimulatedBenchListsTheSample() {
        AppWindow f;
        QPushButton* write = nullptr;
        auto writeButton = [&write](QWidget* box) {
            write = nullptr;
            for (auto* b : box->findChildren<QPushButton*>())
                if (b->text() == "Write To Radio") write = b;
            return write != nullptr;
        };
        kvr::KvrLink link(f.session->env());
        kvr::InitialData data;
        data.radioType = 1;
        data.edges = kvr::edgesOfBandSplit(7);  // 450 to 470 MHz, record 9
        kvr::CKvrRadioTypeDlg sample(f.session->env(), link, data);
        sample.OnInitDialog();
        auto box = buildDialogWidget(nullptr, sample);
        auto* splits = box->findChild<QListWidget*>("1515");
        QVERIFY(splits);
        QCOMPARE(splits->count(), 11);
        QCOMPARE(splits->item(0)->text(), QString("136.0000-150.8000    136.0000-150.8000"));
        QCOMPARE(splits->item(10)->text(), QString("806.0000-825.0000    851.0000-870.0000"));
        QCOMPARE(splits->currentRow(), 7);
        QCOMPARE(splits->currentItem()->text(), QString("450.0000-470.0000    450.0000-470.0000"));
        QVERIFY(writeButton(box.get()) && write->isEnabled());
        QVERIFY(f.ui.messages().empty());
        box->reject();

        f.session->env().app.simulated = false;
        f.session->profile().writeString(profile_keys::kDirectorySection,
                                         profile_keys::kTranslators, f.dir.path().toStdString());
        kvr::CKvrRadioTypeDlg none(f.session->env(), link, data);
        none.OnInitDialog();
        auto empty = buildDialogWidget(nullptr, none);
        QCOMPARE(empty->findChild<QListWidget*>("1515")->count(), 0);
        QVERIFY(writeButton(empty.get()) && !write->isEnabled());
        QVERIFY(f.ui.messages().back() == kvr::messages::kNoBandSplitFile);
        empty->reject();
    }

    // The MARTEN 30 windows as built from their dialogs: titles, captions and which byte a
    // box changes are the dialogs' own business and checked with them.
    void marten30WindowsShowTheirBoxesAndChangeOnlyOnOk() {
        kvr::Marten30Image image{};
        image[0] = 0xA0;  // USA
        image[1] = 0xF1;  // subordinate only
        image[47] = 0x4A;
        // A column label shows again only where a row's labels differ from the row above.
        auto power = kvr::makePowerDialog(image);
        auto pw = buildDialogWidget(nullptr, *power);
        // The power levels keep their bare captions; their unit is a label beside them.
        QCOMPARE(labels(pw.get()), QStringList({"Ref Osc Control:", "F1", "F2", "F3", "F4", "F5",
                                                "F6", "40", "W", "", "30", "W", "", "20", "W"}));
        QCOMPARE(pw->findChildren<QSpinBox*>().size(), 31);
        auto deviation = kvr::makeDeviationDialog(image);
        auto dv = buildDialogWidget(nullptr, *deviation);
        QCOMPARE(
            labels(dv.get()).mid(6, 8),
            QStringList({"Combined Modulation Flatness", "Channel Without Tone Gate",
                         "Narrowband Channel With Tone Gate", "Wideband Channel With Tone Gate",
                         "Narrow", "Wide", "Tone Tone Gate Modulation Setting",
                         "Digital Tone Gate Modulation Setting"}));
        auto* nibble = dv->findChild<QSpinBox*>("1013");
        auto* byte = dv->findChild<QSpinBox*>("1012");
        QCOMPARE(QList<int>({nibble->minimum(), nibble->maximum(), nibble->value()}),
                 QList<int>({0, 15, 4}));
        QCOMPARE(QList<int>({byte->minimum(), byte->maximum()}), QList<int>({0, 255}));

        // Boxes edited, then closed by OK or Cancel: the image the page would keep.
        for (bool ok : {false, true}) {
            auto squelch = kvr::makeSquelchDialog(image);
            auto box = buildDialogWidget(nullptr, *squelch);
            QCOMPARE(labels(box.get()),
                     QStringList({"Local Closing", "Local Opening", "Distant Closing",
                                  "Distant Opening", "Wide Band", "Narrow Band"}));
            box->findChild<QSpinBox*>("1011")->setValue(99);
            ok ? box->accept() : box->reject();
            kvr::Marten30Image out = image;
            if (box->conclude()) squelch->apply(out);
            QCOMPARE(int(out[22]), ok ? 99 : int(image[22]));
        }

        kvr::Marten30Image out = image;
        auto cloning = kvr::makeCloningDialog(image);
        auto cb = buildDialogWidget(nullptr, *cloning);
        auto* supervisor = cb->findChild<QCheckBox*>("2075");
        auto* subordinate = cb->findChild<QCheckBox*>("2076");
        QVERIFY(supervisor && subordinate);
        QVERIFY(!supervisor->isChecked() && subordinate->isChecked());
        supervisor->setChecked(true);
        subordinate->setChecked(false);
        cb->accept();
        QVERIFY(cb->conclude());
        cloning->apply(out);
        QCOMPARE(int(out[1]), 0xF2);

        auto country = kvr::makeCountryDialog(image);
        auto ct = buildDialogWidget(nullptr, *country);
        const auto radios = ct->findChildren<QRadioButton*>();
        QStringList texts;
        for (auto* r : radios) texts << r->text();
        QCOMPARE(texts, QStringList({"Unknown", "USA", "Canada", "Europe"}));
        QVERIFY(radios[1]->isChecked());
        radios[3]->setChecked(true);
        ct->accept();
        QVERIFY(ct->conclude());
        country->apply(out);
        QCOMPARE(int(out[0]), 0xE0);
    }

    // A window the front end builds from a dialog's kind carries words a technician reads,
    // while the kind stays what the command line and the tests address.
    void bltStatusWindowIsTitledForTheTechnician() {
        blt::RadioData data;
        blt::RadioStatusDialog dlg(data);
        auto box = buildDialogWidget(nullptr, dlg);
        QCOMPARE(box->windowTitle(), QString("Radio Status"));
        QCOMPARE(QString::fromStdString(dlg.kind()), QString("BltRadioStatus"));
    }

    void selectRadioTypeOffersNineLettersWithPreselection() {
        hln::SelectRadioTypeDialog dialog('K');
        auto box = buildDialogWidget(nullptr, dialog);
        QCOMPARE(box->windowTitle(), QString("Select Radio Type"));
        QCOMPARE(labels(box.get()), QStringList({"Which type of radio is connected?"}));
        QString letters;
        QStringList texts;
        for (auto* r : box->findChildren<QRadioButton*>()) {
            letters += r->objectName();
            texts << r->text();
            QCOMPARE(r->isChecked(), r->objectName() == "K");
        }
        QCOMPARE(letters, QString("IVUKBCATM"));
        QCOMPARE(texts, QStringList({"UKT", "QLX", "VNL/ZKT", "OKT", "TRW/Cantara", "TRV",
                                     "HLN Trunked", "RWS KVR", "NOVAC30P"}));
        box->findChild<QRadioButton*>("T")->setChecked(true);
        box->reject();
        QVERIFY(!box->conclude());
        QCOMPARE(dialog.letter(), 'K');

        // Shown modally, the window is closed from the event loop.
        hln::SelectRadioTypeDialog unknown('X');
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<DialogBox*>(QApplication::activeModalWidget());
            if (!shown) return;
            shown->findChild<QRadioButton*>("U")->isChecked() ? shown->accept() : shown->reject();
        });
        QVERIFY(runDialogWidget(nullptr, unknown));
        QCOMPARE(unknown.letter(), 'U');
    }
};

TW_GUI_TEST(FamilyWidgetsTest)

#include "family_widgets_test.moc"
