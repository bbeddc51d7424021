#pragma once

#include "testtune/timed_test_page.h"

namespace tw::testtune {

// What the four front-cap pages share: a Start and a Stop button, and the 2-minute time-out.
class CFrontcapPage : public CTimedTestPage {
  public:
    CFrontcapPage(CTestSheet& sheet, std::string title, int startId, int idleButtons);
    int startId() const { return timedTest().starts.front(); }
};

// Transmit audio: hum and noise, internal microphone gain, distortion.
class CFrontcapPage1 : public CFrontcapPage {
  public:
    explicit CFrontcapPage1(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnSetActive() override;
    enum : int { kStart = 1121 };

  protected:
    bool setUp(int id) override;
};

// Gain at rated audio and receive audio distortion: the volume stepped by the technician.
class CFrontcapPage2 : public CFrontcapPage {
  public:
    explicit CFrontcapPage2(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnArrow(int id, int delta, int position) override;
    enum : int { kStart = 1074, kVolume = 1090, kVolumeText = 1075, kLow = 1076, kHigh = 1077 };
    static constexpr int kStartVolume = 180;

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    bool finish() override;
};

// Squelch.
class CFrontcapPage4 : public CFrontcapPage {
  public:
    explicit CFrontcapPage4(CTestSheet& sheet);
    void OnInitDialog() override;
    void OnArrow(int id, int delta, int position) override;
    enum : int { kStart = 1122, kWide = 1136, kNarrow = 1137, kSquelch = 1123 };
    enum : int { kSetting = 1125, kOutOfRange = 1124, kLabel = 1133, kResult = 1128 };
    // Settings above this are out of range: sent for the technician to see, never saved.
    static constexpr int kHighestSetting = 159;
    bool narrowBand() const { return narrow_; }

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
    bool OnOtherCommand(int id) override;

  private:
    bool squelchStep(int level);
    void showResult(int level);
    bool narrow_ = false;
    bool correct_ = false;
};

// SINAD, at the low or the high receive frequency.
class CFrontcapPage6 : public CFrontcapPage {
  public:
    explicit CFrontcapPage6(CTestSheet& sheet);
    void OnInitDialog() override;
    enum : int { kStart = 1138, kLow = 1139, kHigh = 1140 };

  protected:
    bool setUp(int id) override;
    void showRunning(int id) override;
    bool finish() override;
    void stopped(bool finished) override;
    bool OnOtherCommand(int id) override;

  private:
    bool low_ = true;
};

}  // namespace tw::testtune
