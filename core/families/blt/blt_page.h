#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "families/blt/radio_backend.h"
#include "families/blt/radio_conn.h"
#include "history/read_history.h"
#include "testtune/sheet_transmitter.h"
#include "view/family_page.h"

namespace tw::testtune {
class AlignmentBench;
}

namespace tw::blt {

// The page of tab 2 (BLT, GVE, Lyra, NOVAC 60M, Ocelot, R210, R310 and V310 radios). It
// speaks no protocol itself: every operation drives the page's connection object in a fixed
// order and shows the outcome.
class CMaintenanceDlg : public FamilyPage {
  public:
    // Display texts.
    static constexpr int kRadioType = 2009;
    static constexpr int kMemory = 2010;
    // Buttons.
    static constexpr int kTrackingEditButton = 2002;
    static constexpr int kFeatureEditButton = 2003;
    static constexpr int kVersionUpgradeButton = 2016;
    static constexpr int kRadioInformationButton = 2005;
    static constexpr int kRecoveryButton = 1003;
    static constexpr int kGveAlignmentButton = 2017;
    static constexpr int kDesktopButton = 2062;
    static constexpr int kWriteCodeButton = 1015;
    static constexpr int kWriteAdiDspButton = 1002;
    static constexpr int kJumpButton = 1001;
    static constexpr int kRadioRecoveryButton = 2004;  // hidden
    // The display texts as the window shows them, each beside its label.
    struct Shown {
        const char* label;
        int id;
    };
    static constexpr Shown kShownTexts[] = {{"Radio Type:", kRadioType}, {"Memory:", kMemory}};

    explicit CMaintenanceDlg(Env& env);
    ~CMaintenanceDlg() override;

    // The connection library in use; the held data starts afresh.
    void setBackendFactory(std::shared_ptr<RadioBackendFactory> factory);
    // What GVE Alignment launches; unset, the button does nothing.
    void setGveAlignmentHandler(std::function<bool()> handler) {
        gveAlignment_ = std::move(handler);
    }
    // The bench of a front end that drives a test sheet step by step: the alignment step
    // launches the sheet there, and the page offers the sheet's own steps after it.
    void setAlignmentBench(testtune::AlignmentBench* bench) { alignmentBench_ = bench; }
    // What the handler learnt as its sheet ended: a transmitter that may still be keyed is
    // told at once and stays as the page's standing warning until a later sheet leaves it off.
    void sheetEnded(testtune::TransmitterAfterSheet transmitter);
    // The standing warning; empty while none stands.
    const std::string& transmitterWarning() const { return transmitterWarning_; }

    bool GetStatus() override;
    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    bool ReadFeaturesFromRadio() override;
    bool ReadFeaturesFromDisk() override;
    bool WriteFeaturesToRadio() override;
    bool WriteFeaturesToDisk() override;
    bool SetTestMode(int on) override;
    std::vector<std::string> ReportLines() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override {
        return {{"Trk", DataSet::Tracking}, {"Enc", DataSet::Features}};
    }
    // The held data, not the controls: the tracking words by the tracking editor's names,
    // the feature record byte by byte.
    std::vector<ComparedValue> comparedValues(DataSet set) const override;

    bool TrackingDataEdit();
    bool FeatureDataEdit();
    bool VersionUpgrade();
    bool GveAlignment();
    // Flash and recovery.
    bool WriteCodeToFile();
    bool WriteAdiDspToFile();
    bool Jump();
    bool Recovery();
    bool RadioRecovery();
    bool Desktop();

    bool BltConnect();
    void BltRefresh();

    // Blank feature record of Feature Data Edit: for BLT, Lyra or NOVAC 60M radios, or others.
    void createBlankFeatureData(bool bltLyraNovac);
    // The path the next file dialog of the page answers with, for front ends that name the
    // file up front; the dialog is not shown.
    void presetFile(std::string path) { presetFile_ = std::move(path); }

    CRadioConn& conn() { return *conn_; }
    static constexpr int kDesktopAttempts = 6;

  private:
    // BltConnect with the page's reply to a failure; true when connected.
    bool connectOrSay();
    bool desktopAttempt(const std::string& path, bool& finished);
    std::optional<std::string> chooseFile(const FileChoice& choice, bool save);
    // The held tracking and feature data survive a write's status read: the write sends one
    // of them, and the other is what the technician holds, not what the radio had.
    struct PageHeld {
        TrackingCopy tracking;
        FeatureCopy features;
    };
    PageHeld keepHeld() const;
    void putBack(const PageHeld& copy);
    // Connects for a write: its status read is not kept as a read; what it found of the radio's
    // tracking data (or features) is the copy kept before the write, taken here, before the
    // page's data is put back. Nothing when the radio holds none.
    bool connectForWrite(bool tracking, std::optional<std::vector<std::uint8_t>>& radioHeld);

    std::shared_ptr<RadioBackendFactory> factory_;
    std::unique_ptr<CRadioConn> conn_;
    // The history copies the held tracking and feature data were loaded from, if any.
    std::optional<KeptRead> trackingSource_, featureSource_;
    // The bench radio's serial number for the other-radio question; empty when it tells none.
    std::string benchSerial() const;
    std::function<bool()> gveAlignment_;
    testtune::AlignmentBench* alignmentBench_ = nullptr;
    std::string transmitterWarning_;
    std::optional<std::string> presetFile_;
};

}  // namespace tw::blt
