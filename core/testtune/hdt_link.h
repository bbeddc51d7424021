#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "testtune/hdt_commands.h"
#include "testtune/hdt_port.h"
#include "testtune/radio_facts.h"
#include "view/env.h"

namespace tw::testtune {

// The link of one test sheet to the radio's test interpreter (the HDT): opens the port at
// 19200 baud, brings the radio into test mode, reads its facts and runs command lines under
// one success rule. Every failure has been told to the technician when a call returns.
//
// The port is used by one thread at a time: the user-interface thread, or a streaming test's
// worker while its dialog is up. The abort flag is the one thing both threads touch.
class CHdtLink {
  public:
    explicit CHdtLink(Env& env);
    virtual ~CHdtLink();
    CHdtLink(const CHdtLink&) = delete;
    CHdtLink& operator=(const CHdtLink&) = delete;

    // Opens the port of the profile (not the application's current port: test sheets have
    // always used the saved one) and enters test mode.
    bool Connect();
    // At the start of every test: prompt again, facts again, test mode again.
    bool Resync();
    bool EnterTestMode();
    bool ReadCodeVersion();
    bool ReadBandAndType();
    // The battery level; -1 when "cmd 1" failed or its reply holds no level, -2 after the
    // connection was lost.
    int ReadBattery();
    // Empties the line. Bounded: a radio that keeps sending ends it after kDrainMaxBytes or
    // kDrainMaxMs, with false.
    bool Drain();
    void ClearReply() { reply_.clear(); }

    // The fatal path: tells the technician, closes the port, and lets the owner close the
    // windows of the test (test dialog, then sheet).
    void ConnectionLost();
    void onConnectionLost(std::function<void()> handler) { lostHandler_ = std::move(handler); }
    bool connectionLost() const { return lost_; }

    // One step: clear, send the command, judge the reply by the command's rule and show its
    // failure message when it fails. False also when the arguments do not fit the line.
    bool run(HdtCommand command, std::initializer_list<std::int64_t> args = {});
    // One transaction of any line (empty: a pure read), after clearing the reply; not judged.
    bool send(std::string_view line);
    // The common rule on the last transaction: it succeeded, brought a reply, and the reply
    // holds no "FAIL".
    bool lastPassed() const;
    const HdtReply& reply() const { return reply_; }

    const RadioFacts& facts() const { return facts_; }
    CHdtPort& port() { return port_; }
    Env& env() { return env_; }
    // A pause of a test sequence, on the program's clock.
    void pause(int milliseconds) { port_.session().pause(milliseconds); }

    // Stop request for a running streaming test, from the user-interface thread.
    void requestAbort() { abort_.store(1); }
    void clearAbort() { abort_.store(0); }
    bool abortRequested() const { return abort_.load() != 0; }

    static constexpr int kBaud = 19200;
    static constexpr int kPromptRetryMs = 3000;
    static constexpr int kResyncRetryMs = 1500;
    static constexpr int kDrainMaxBytes = 1024;
    static constexpr Millis kDrainMaxMs = 1000;

    static constexpr const char* kCannotOpen = "Cannot open comm port or port busy.";
    static constexpr const char* kPowerOn = "Power On Radio in Application Mode.";
    static constexpr const char* kHdtLost = "HDT connection lost.";
    static constexpr const char* kLinkLost = "Radio connection lost or serial port error.";
    static constexpr const char* kNoBandSplit = "Could not determine radio band split\n";
    static constexpr const char* kNoRadioType = "Could not determine radio type.\n";

  private:
    bool Transact(std::string_view line) { return port_.Transact(line, reply_); }
    bool hasPrompt() const;

    Env& env_;
    CHdtPort port_;
    HdtReply reply_;
    RadioFacts facts_;
    std::atomic<int> abort_{0};
    bool lost_ = false;
    std::function<void()> lostHandler_;
};

}  // namespace tw::testtune
