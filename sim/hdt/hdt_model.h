#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::sim {

// The test interpreter (HDT) of a GVE/Facet radio running its application code, seen from the
// radio's side of the cable. It takes carriage-return-ended lines: a bare one is answered with
// the prompt "*", "cmd 0" with "Test Mode", "db" reads with the code version, band-split and
// radio type bytes, "cmd 1" with "BATT=", and every other command with PASS or FAIL. What the
// commands set stays readable (keyed, frequencies, bandwidth, mute, volume, DACs, and the
// values "cmd 29" saved).
//
// Options (also as "hdt.KEY", the command line's form):
//   band=0x30 (0x35: 900 MHz)   type=0x60   version=0x0205   battery=200   delay=MS
// Streams (each event "interval" ms after the last, default 500; a lone carriage return
// ends a stream):
//   keys=KEYS     key presses after "cmd 20", one character each ("1" and the key); the same
//                 key twice in a row ends the test with "\n\r*" (default 123456789)
//   knob=N,N,...  "GRP=nn" positions after "cmd 22 1" (default 1,2,3,4)
//   volume=N,...  "VOL=nnn" settings after "cmd 23" (default 0,128,255)
//   rssi=N,...    "RSSI=nnn" values after "cmd 2", repeated until stopped (default 50)
//   eeprom=MS     the EEPROM test's reply after "cmd 27" (default 12000)
//   lcd=MS        the display test's reply after "cmd 28" (default 30000)
// Faults:
//   noprompt=N   the first N bare carriage returns get no answer
//   fail=LIST    commands answered FAIL (numbers, "db", or "all"; comma-separated)
//   garble=LIST  commands answered with noise that holds no key, marker or prompt
//   noreply=LIST commands that get no answer at all (the radio takes them and stays quiet)
//                In these three lists an item may also name one line by its words joined
//                with dots ("52.1.2" for "cmd 52 1 2", "db.20:37.20:37"): that line alone.
//   nokey=1      keys and colons missing: "BATT " for "BATT=", db replies without ":",
//                "cmd 9" without "PASS"
//   long=1       every reply padded past 50 bytes
//   silence=N    nothing at all after N lines
//   stream=N     after N lines the radio sends without end
class HdtModel : public RadioModel {
  public:
    explicit HdtModel(const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    bool midCommand() const override { return !streaming_ && !line_.empty(); }
    bool inServiceState() const override { return state_.keyed; }

    struct Saved {
        int referenceDac = 0;
        int powerDac = 0;
        int squelch = 0;
        int toneDeviation = 0;
        int saves = 0;
    };
    struct State {
        bool testMode = false;
        bool keyed = false;
        bool narrowBand = false;
        bool muted = true;
        bool speakerOn = false;
        bool receiverOn = false;
        bool controlLoopOpen = false;
        int volume = 0;
        long long rxHz = 0;
        long long txHz = 0;
        int referenceDac = 512;
        int powerDac = 128;
        int squelch = 0;
        int toneDeviation = 0;
        std::string powerPoint;  // arguments of the last "cmd 71"
        Saved saved;
    };
    const State& state() const { return state_; }
    // The band-split byte in memory 20:0E, as a service shop might have rewritten it.
    void setBandByte(std::uint8_t b) { bandByte_ = b; }

    // Every line taken (without its carriage return) and when it arrived, probes included.
    struct Line {
        Millis at;
        std::string text;
    };
    const std::vector<Line>& lines() const { return lines_; }
    int probes() const { return probes_; }

    static constexpr std::size_t kStreamBytes = 65536;

  private:
    void takeLine(Millis now);
    std::string answer(const std::vector<std::string>& words);
    std::string memoryRead(const std::vector<std::string>& words);
    void reply(std::string text, const std::string& command, const std::string& line, Millis now);
    void startStream(Millis now);
    // Events of a streaming test, queued from `now` on at the interval.
    void streamEvents(const std::vector<std::string>& events, Millis now);
    void endEvents(Millis now);
    void startEvents(const std::vector<std::string>& words, Millis now);
    // Whether `list` names the command (its number or "db") or the whole line (`line`).
    bool listed(const std::set<std::string>& list, const std::string& command,
                const std::string& line) const;

    State state_;
    std::uint8_t bandByte_, typeByte_, versionMajor_, versionMinor_;
    int battery_;
    int delayMs_;
    int noPrompt_;
    std::set<std::string> fail_, garble_, noReply_;
    bool noKey_, longReplies_;
    int silenceAfter_, streamAfter_;
    bool streaming_ = false;
    std::string keys_;
    std::vector<int> knob_, volume_, rssi_;
    int intervalMs_, eepromMs_, lcdMs_;
    bool events_ = false;  // a streaming test runs in the radio
    std::string line_;
    std::vector<Line> lines_;
    int probes_ = 0;
    int commands_ = 0;
};

}  // namespace tw::sim
