#pragma once

#include "testtune/power_table.h"
#include "testtune/timed_test_page.h"

namespace tw::testtune {

inline constexpr const char* kCommunicationError =
    "Communcation Error or other fatal error. Please restart standard testing.";

// Transmit frequency error: the reference oscillator DAC, read and stepped.
class CStandardRFPage1 : public CTimedTestPage {
  public:
    explicit CStandardRFPage1(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnArrow(int id, int delta, int position) override;

    enum : int { kPower = 1065, kFrequency = 1068, kLabel1 = 1072, kLabel2 = 1073 };
    enum : int { kStart = 1070, kDacValue = 1080 };
    // The arrows' starting position: only the direction of a step reaches the radio.
    static constexpr int kArrowStart = 405;

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
};

// Transmit power tracking: one scroll bar per row of the power table.
class CStandardRFPage2 : public CTimedTestPage {
  public:
    explicit CStandardRFPage2(CTestSheet& sheet);
    void OnInitDialog() override;
    bool OnScroll(int id, int code) override;

    enum : int { kStart = 1150, kStopTest = 1135 };
    enum : int { kFrequencyText = 1116, kPowerText = 1117, kModeText = 1118, kIndicator = 1119 };
    // The indicator's pictures.
    static constexpr const char* kIdle = "160";
    static constexpr const char* kTxOff = "161";
    static constexpr const char* kTxOn = "162";
    static constexpr Millis kIdleOffMs = 20000;

    bool transmitterOn() const { return transmitterOn_; }

  protected:
    bool setUp(int id) override {
        (void)id;
        return true;
    }
    void showRunning(int id) override;
    void beginTest(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
    void OnOtherTimer(int id) override;

  private:
    void selectRow(const PowerRow& row, int step);
    bool stepDac(int step);
    bool selectPower(const PowerRow& row);
    void transmitterIdleOff();
    void fatalError();

    bool transmitterOn_ = false;
    int selected_ = 0;  // control id of the selected row; 0: none
};

// Transmit I/Q balance: DSP and modulator offsets and amplitudes.
class CStandardRFPage3 : public CTimedTestPage {
  public:
    explicit CStandardRFPage3(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnArrow(int id, int delta, int position) override;

    enum : int { kStart = 1094, kDspI = 1099, kDspQ = 1089, kCorraI = 1090, kCorraQ = 1091 };
    enum : int { kDspIAmp = 1092, kDspQAmp = 1093 };
    // The field beside each arrow that shows its value.
    enum : int { kDspIValue = 1100, kDspQValue = 1101, kCorraIValue = 1102, kCorraQValue = 1103 };
    enum : int { kDspIAmpValue = 1104, kDspQAmpValue = 1105 };
    static constexpr Millis kTimeoutMs = 1200000;

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    bool finish() override;
    void stopped(bool finished) override;

  private:
    void enableTest(bool on);
};

// External transmit microphone gain and distortion.
class CStandardRFPage4 : public CTimedTestPage {
  public:
    explicit CStandardRFPage4(CTestSheet& sheet);
    void OnInitDialog() override;

    enum : int { kStart = 1078, kHint = 1079 };

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    void beginTest(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
};

// Transmit Tone Gate deviation.
class CStandardRFPage5 : public CTimedTestPage {
  public:
    explicit CStandardRFPage5(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnSetActive() override;
    void OnArrow(int id, int delta, int position) override;

    enum : int { kStart = 1129, kVerify = 1131, kDeviation = 1088, kLabel = 1130 };
    static constexpr int kArrowStart = 30;
    // The narrow-band deviation value Stop stores; nothing until the technician stepped.
    std::optional<int> deviation() const { return deviation_; }

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    void beginTest(int id) override;
    bool finish() override;
    void stopped(bool finished) override;

  private:
    std::optional<int> deviation_;
};

// Receiver RSSI, weak and strong signal.
class CStandardRFPage6 : public CTimedTestPage {
  public:
    explicit CStandardRFPage6(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnSetActive() override;

    enum : int { kStrong = 1141, kWeak = 1142, kResult1 = 1143, kResult2 = 1144 };
    enum : int { kRssi = 1169 };
    static constexpr int kTimeoutTimer = 10;
    static constexpr int kTickTimer = 20;
    static constexpr Millis kTickMs = 1000;

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    void beginTest(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
    void OnOtherTimer(int id) override;

  private:
    void tick();
};

}  // namespace tw::testtune
