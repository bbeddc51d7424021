#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace tw::testtune {

// How a command's reply is judged.
enum class ReplyRule {
    Common,     // a reply arrived, and it does not hold "FAIL"
    AnyReply,   // a reply arrived (its text is not judged)
    NeedsPass,  // the common rule, and the reply holds "PASS"
    Unchecked,  // sent and read; the outcome is not looked at
};

// Every command line the interpreter takes, by what it does in the radio.
enum class HdtCommand {
    EnterTestMode,
    ReadBattery,
    RssiTestLevel,     // 1 strong, 0 weak
    SelectNarrowBand,  // narrow band before a transmitter test
    SetBandwidth,      // 1 narrow, 0 wide; the squelch set-up's wording
    ExternalMic,       // 1 on, 0 off
    SpeakerOff,        // sent before every speaker-on
    SpeakerOnAt180,    // the volume page's starting level
    SpeakerVolume,     // a level stepped by the technician
    ReportDac,         // reference oscillator DAC, reply "PASS" and the value
    stepDac,           // 1 up, 0 down
    KeypadTest,        // starts the key event stream
    KnobTest,          // starts the "GRP=" stream
    VolumeTest,        // starts the "VOL=" stream
    LcdContrastStep,
    BacklightOn,
    BacklightOff,
    EepromTest,           // about 12 s before the reply
    LcdScrollTest,        // about 30 s before the reply
    SaveTracking,         // the radio keeps its tracking values
    SetReceiveFrequency,  // whole hertz
    SetSquelchLevel,      // "PASS" in the reply marks the level as correct; a radio that
                          // answers "FAIL" kept its old level
    TestSquelchLevel,
    MuteSpeaker,
    UnmuteSpeaker,
    ReceiverOn,
    setTransmitFrequency,  // whole hertz
    SelectStartPower,      // low power, trunking, middle point: every transmitter test's start
    SelectTrackingPower,   // level, mode, point of the power table
    ToneGateDeviation,
    EncodeToneGate,  // 186.2 Hz
    EncodeTone100,   // 100.0 Hz, the verification tone
    TransmitterOn,
    TransmitterOff,
    PowerDacStep,  // 1 up, 0 down
    CopyPowerDac,
    InitDspI,  // value, amplitude
    InitDspQ,  // value, amplitude
    DspI,
    DspQ,
    ApplyIqBalance,    // after every I/Q balance value
    OpenControlLoop,   // the frequency error page's wording
    PowerControlLoop,  // 0 open, 1 closed
    CorraI,
    CorraQ,
    ReadCodeVersion,
    ReadBandSplit,
    ReadRadioType,
};

// One row of the command table: the line as sent (each "%d" takes the next argument in
// decimal; "\r" is the carriage return), how its reply is judged, and what the technician is
// told when it fails (empty: nothing).
struct HdtCommandSpec {
    HdtCommand command;
    std::string_view line;
    ReplyRule rule;
    std::string_view failure;
};

const HdtCommandSpec& commandSpec(HdtCommand command);

// The line with its arguments in place, or nothing when the count of arguments does not match
// the line's fields.
std::optional<std::string> formatCommand(HdtCommand command,
                                         std::initializer_list<std::int64_t> args = {});

// Lines that are not commands of the table.
inline constexpr std::string_view kPromptProbe{"\r", 1};      // a bare carriage return
inline constexpr std::string_view kResyncProbe{"\r\0\0", 3};  // carriage return, two NULs
inline constexpr std::string_view kEndStream{"\r", 1};        // ends a streaming test

}  // namespace tw::testtune
