#pragma once

#include <memory>

#include "testtune/stream_test.h"
#include "testtune/test_page.h"

namespace tw::testtune {

inline constexpr const char* kPending = "Pending";
inline constexpr const char* kComplete = "Complete";

// Keypad, rotary knob and volume control: the streaming tests.
class CKeypadPage : public CTestPage {
  public:
    explicit CKeypadPage(CTestSheet& sheet);
    ~CKeypadPage() override;
    bool OnCommand(int id) override;
    void OnStop() override;

    enum : int { kKeypad = 1003, kKnob = 1004, kVolume = 1005 };
    enum : int { kKeypadStatus = 1059, kKnobStatus = 1060, kVolumeStatus = 1061 };
    CStreamTestDlg* dialog() { return dialog_.get(); }

  private:
    void start(StreamKind kind, int statusId);
    void dialogClosed(StreamOutcome outcome, int statusId);

    std::unique_ptr<CStreamTestDlg> dialog_;
};

// Display contrast, backlight and display characters.
class CGeneralPage : public CTestPage {
  public:
    explicit CGeneralPage(CTestSheet& sheet);
    bool OnCommand(int id) override;
    void OnStop() override {}

    enum : int { kContrast = 1006, kBacklight = 1007, kLcd = 1009 };
    enum : int { kContrastStatus = 1062, kBacklightStatus = 1060, kLcdStatus = 1061 };

  private:
    bool Contrast();
    bool Backlight();
    bool Lcd();
};

// The UDC test, not implemented in the radio's tests.
class CUdcTest : public CTestPage {
  public:
    explicit CUdcTest(CTestSheet& sheet);
    void OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnStop() override {}
    enum : int { kStartResistor = 1082, kStopResistor = 1083, kStartFlex = 1084, kStopFlex = 1085 };
    enum : int { kResistorValue = 1086, kSignalAndReturn = 1087 };
};

// The EEPROM self-test.
class CGeneralPage3 : public CTestPage {
  public:
    explicit CGeneralPage3(CTestSheet& sheet);
    bool OnCommand(int id) override;
    void OnStop() override {}
    // The sheet stays open while the radio rewrites its EEPROM.
    bool mayClose() const override { return !eepromRunning_; }

    enum : int { kEeprom = 1008, kEepromStatus = 1063 };

  private:
    bool runEeprom();
    bool eepromRunning_ = false;
};

}  // namespace tw::testtune
