#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/dialog_widgets.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "config/profile.h"
#include "controls/hex_edit.h"
#include "controls/step_edit.h"
#include "families/hln/select_radio_type.h"
#include "families/hln/tracking_layout.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "families/kvr/marten30_dialogs.h"
#include "gui/gui_test.h"
#include "ui/scripted_ui.h"

using namespace tw;
using namespace tw::app;

namespace {

struct Fixture {
    Fixture() {
        AppOptions o;
        o.simulate = true;
        o.ini = dir.filePath("novac4.ini").toStdString();
        session = std::make_unique<Session>(o, ui);
    }
    std::unique_ptr<PageWidget> page(int tab) {
        return std::unique_ptr<PageWidget>(
            createPageWidget(tab, session->view().page(tab), nullptr));
    }
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<Session> session;
};

QGroupBox* group(QWidget* w, const QString& title) {
    for (auto* g : w->findChildren<QGroupBox*>())
        if (g->title() == title) return g;
    return nullptr;
}

QStringList labels(QWidget* w) {
    QStringList out;
    for (auto* l : w->findChildren<QLabel*>()) out << l->text();
    return out;
}

QStringList editNames(QWidget* w) {
    QStringList out;
    for (auto* e : w->findChildren<StepEdit*>()) {
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

// Edits a spin box of a MARTEN 30 window and closes it by OK or Cancel; the image as the
// page would keep it.
kvr::Marten30Image editBoxes(kvr::Marten30Dialog& d, const kvr::Marten30Image& image,
                             std::initializer_list<std::pair<int, int>> values, bool ok) {
    auto box = buildDialogWidget(nullptr, d);
    for (auto [id, v] : values) box->findChild<QSpinBox*>(QString::number(id))->setValue(v);
    ok ? box->accept() : box->reject();
    kvr::Marten30Image out = image;
    if (box->conclude()) d.apply(out);
    return out;
}

}  // namespace

class FamilyWidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void kvrPageHasItsGroupsAndStepEdits() {
        Fixture f;
        auto w = f.page(0);
        auto* button = w->findChild<QPushButton*>("1054");
        QVERIFY(button && button->text() == "Radio Type");
        QVERIFY(group(w.get(), "Radio Status")->isAncestorOf(button));
        QGroupBox* tracking = group(w.get(), "Tracking Data");
        QGroupBox* talk = group(w.get(), "Talk Around");
        QVERIFY(tracking && talk);
        QCOMPARE(labels(tracking), QStringList({"Low", "Mid", "High", "Squelch:", "High Power:",
                                                "Low Power:", "Modulation:"}));
        QCOMPARE(labels(talk),
                 QStringList({"Low", "Mid", "High", "High Power:", "Low Power:", "Modulation:"}));
        QCOMPARE(editNames(tracking),
                 names({1005, 1009, 1013, 1017, 1020, 1022, 1034, 1037, 1040, 1043, 1046, 1049}));
        QCOMPARE(editNames(talk), names({1071, 1076, 1079, 1084, 1087, 1090, 1093, 1096, 1099}));
    }

    void kvrRadioTypeWindowShowsListsAndPreselection() {
        Fixture f;
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
        auto lines = [](QListWidget* l) {
            QStringList out;
            for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
            return out;
        };
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

    void marten30BoxWindowsShowLabelsAndChangeOnlyOnOk() {
        kvr::Marten30Image image{};
        image[0] = 0xA0;  // USA
        image[47] = 0x4A;
        auto squelch = kvr::makeSquelchDialog(image);
        auto deviation = kvr::makeDeviationDialog(image);
        auto power = kvr::makePowerDialog(image);
        auto sq = buildDialogWidget(nullptr, *squelch);
        QCOMPARE(sq->windowTitle(), QString("Squelch Settings"));
        QCOMPARE(labels(sq.get()), QStringList({"Local Closing", "Local Opening", "Distant Closing",
                                                "Distant Opening", "Wide Band", "Narrow Band"}));
        auto pw = buildDialogWidget(nullptr, *power);
        QCOMPARE(pw->windowTitle(), QString("Transmit Power Tracking Data"));
        QCOMPARE(labels(pw.get()), QStringList({"Ref Osc Control:", "F1", "F2", "F3", "F4", "F5",
                                                "F6", "40", "", "30", "", "20"}));
        QCOMPARE(pw->findChildren<QSpinBox*>().size(), 31);
        auto dv = buildDialogWidget(nullptr, *deviation);
        QCOMPARE(dv->windowTitle(), QString("Transmitter Deviation"));
        QCOMPARE(
            labels(dv.get()).mid(6, 8),
            QStringList({"Combined Modulation Flatness", "Channel Without Tone Gate",
                         "Narrowband Channel With Tone Gate", "Wideband Channel With Tone Gate",
                         "Narrow", "Wide", "Tone Tone Gate Modulation Setting",
                         "Digital Tone Gate Modulation Setting"}));
        for (auto* spin : dv->findChildren<QSpinBox*>()) {
            const bool nibble =
                names({1013, 1015, 1016, 1017, 1020, 1021}).contains(spin->objectName());
            QCOMPARE(spin->maximum(), nibble ? 15 : 255);
            QCOMPARE(spin->minimum(), 0);
        }
        QCOMPARE(dv->findChild<QSpinBox*>("1013")->value(), 4);
        QCOMPARE(dv->findChild<QSpinBox*>("1015")->value(), 10);

        kvr::Marten30Image out = editBoxes(*deviation, image, {{1013, 7}, {1012, 200}}, true);
        QCOMPARE(int(out[47]), 0x7A);
        QCOMPARE(int(out[48]), 200);
        out = editBoxes(*kvr::makeSquelchDialog(image), image, {{1011, 99}}, false);
        QVERIFY(out == image);
        out = editBoxes(*kvr::makeSquelchDialog(image), image, {{1011, 99}}, true);
        QCOMPARE(int(out[22]), 99);
    }

    void marten30CloningAndCountryChangeOnlyTheirBits() {
        kvr::Marten30Image image{};
        image[0] = 0x83;  // portable, country Unknown, band split 3
        image[1] = 0xF1;  // subordinate only
        auto cloning = kvr::makeCloningDialog(image);
        auto box = buildDialogWidget(nullptr, *cloning);
        QCOMPARE(box->windowTitle(), QString("Cloning Data"));
        auto* supervisor = box->findChild<QCheckBox*>("2075");
        auto* subordinate = box->findChild<QCheckBox*>("2076");
        QVERIFY(supervisor && subordinate);
        QVERIFY(!supervisor->isChecked() && subordinate->isChecked());
        supervisor->setChecked(true);
        subordinate->setChecked(false);
        box->accept();
        QVERIFY(box->conclude());
        kvr::Marten30Image out = image;
        cloning->apply(out);
        QCOMPARE(int(out[1]), 0xF2);

        auto country = kvr::makeCountryDialog(image);
        auto cbox = buildDialogWidget(nullptr, *country);
        QCOMPARE(cbox->windowTitle(), QString("Country"));
        auto radios = cbox->findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 4);
        QStringList texts;
        for (auto* r : radios) texts << r->text();
        QCOMPARE(texts, QStringList({"Unknown", "USA", "Canada", "Europe"}));
        QVERIFY(radios[0]->isChecked());
        radios[3]->setChecked(true);
        cbox->accept();
        QVERIFY(cbox->conclude());
        out = image;
        country->apply(out);
        QCOMPARE(int(out[0]), 0xE3);
    }

    void hlnPageHasGridTalkAroundAndHexEdit() {
        Fixture f;
        auto w = f.page(1);
        QGroupBox* tracking = group(w.get(), "Tracking Data");
        QGroupBox* talk = group(w.get(), "Talk Around");
        QVERIFY(group(w.get(), "Radio Status") && group(w.get(), "Feature Data"));
        QVERIFY(tracking && talk && !tracking->isAncestorOf(talk));
        using namespace hln_ids;
        QCOMPARE(editNames(tracking),
                 names({kSquelchLow, kSquelchMid, kSquelchHigh, kHighPowerLow, kHighPowerMid,
                        kHighPowerHigh, kLowPowerLow, kLowPowerMid, kLowPowerHigh, kModLow, kModMid,
                        kModHigh, kDataModLow, kDataModMid, kDataModHigh}));
        QCOMPARE(editNames(talk),
                 names({kTaHighPowerLow, kTaHighPowerMid, kTaHighPowerHigh, kTaLowPowerLow,
                        kTaLowPowerMid, kTaLowPowerHigh, kTaModLow, kTaModMid, kTaModHigh,
                        kTaDataModLow, kTaDataModMid, kTaDataModHigh}));
        QCOMPARE(labels(talk), QStringList({"Low", "Mid", "High", "High Power:", "Low Power:",
                                            "Modulation:", "Data Mod:"}));
        QCOMPARE(w->findChild<QLineEdit*>("1062")->maxLength(), 15);
        QCOMPARE(w->findChild<QLineEdit*>("1074")->maxLength(), 12);

        auto* hex = w->findChild<CHexEdit*>("1073");
        QVERIFY(hex);
        QTest::keyClicks(hex, "0a g-F9 x1");
        QCOMPARE(hex->text(), QString("0A F9 1"));
        QTest::keyClick(hex, Qt::Key_Backspace);
        QCOMPARE(hex->text(), QString("0A F9 "));
    }

    void selectRadioTypeOffersNineLettersWithPreselection() {
        SelectRadioTypeDialog dialog('K');
        auto box = buildDialogWidget(nullptr, dialog);
        QCOMPARE(box->windowTitle(), QString("Select Radio Type"));
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
        box = buildDialogWidget(nullptr, dialog);
        box->findChild<QRadioButton*>("T")->setChecked(true);
        box->accept();
        QVERIFY(box->conclude());
        QCOMPARE(dialog.letter(), 'T');

        // Shown modally, the window is closed from the event loop.
        SelectRadioTypeDialog unknown('X');
        QTimer::singleShot(0, [] {
            auto* shown = qobject_cast<DialogBox*>(QApplication::activeModalWidget());
            if (shown && shown->findChild<QRadioButton*>("U")->isChecked())
                shown->accept();
            else if (shown)
                shown->reject();
        });
        QVERIFY(runDialogWidget(nullptr, unknown));
        QCOMPARE(unknown.letter(), 'U');
    }
};

TW_GUI_TEST(FamilyWidgetsTest)

#include "family_widgets_test.moc"
