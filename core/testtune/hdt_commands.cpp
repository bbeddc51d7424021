#include "testtune/hdt_commands.h"

#include <array>

namespace tw::testtune {
namespace {

using C = HdtCommand;
using R = ReplyRule;

// The interpreter's command lines, exactly as the radio expects them.
constexpr std::array<HdtCommandSpec, 48> kTable = {{
    {C::EnterTestMode, "cmd 0\r\n", R::Common, "Could not start Test Mode. Please Retry."},
    {C::ReadBattery, "cmd 1\r", R::AnyReply, ""},
    {C::RssiTestLevel, "cmd 2 %d\r", R::Common, "Unable to start RSSI test level."},
    {C::SelectNarrowBand, "cmd 3 1\r", R::Common, "Unable to select Narrow Band."},
    {C::SetBandwidth, "cmd 3 %d\r", R::Common, "Unable to set the bandwidth."},
    {C::ExternalMic, "cmd 5 %d\r", R::Unchecked, ""},
    {C::SpeakerOff, "cmd 7 0\r", R::Common, "Unable to set the volume."},
    {C::SpeakerOnAt180, "cmd 7 1 180\r", R::Common, "Unable to set the volume."},
    {C::SpeakerVolume, "cmd 7 1 %d\r", R::Common, "Unable to set the speaker audio."},
    {C::ReportDac, "cmd 9\r", R::Common, "Unable to display current frequency."},
    {C::stepDac, "cmd 9 %d\r", R::Common, "Unable to set the frequency."},
    {C::KeypadTest, "cmd 20\r", R::Unchecked, ""},
    {C::KnobTest, "cmd 22 1\r", R::Unchecked, ""},
    {C::VolumeTest, "cmd 23\r", R::Unchecked, ""},
    {C::LcdContrastStep, "cmd 24\r", R::Common, "LCD Contrast Test Failed! Please Retry."},
    {C::BacklightOn, "cmd 25 1\r", R::Common, "Background Light Test Failed! Please Retry."},
    {C::BacklightOff, "cmd 25\r", R::Common, "Background Light Test Failed! Please Retry."},
    {C::EepromTest, "cmd 27\r", R::Common, "EEPROM Test Failed!"},
    {C::LcdScrollTest, "cmd 28\r", R::NeedsPass, "LCD test failed! Please retry."},
    {C::SaveTracking, "cmd 29\r", R::Common, "Unable to save tracking data."},
    {C::SetReceiveFrequency, "cmd 50 %d\r", R::Common, "Unable to set the receive frequency."},
    {C::SetSquelchLevel, "cmd 52 1 %d\r", R::Common, "Unable to set squelch level."},
    {C::TestSquelchLevel, "cmd 52 2\r", R::Common, "Unable to test squelch level."},
    {C::MuteSpeaker, "cmd 54 1\r", R::Common, "Unable to mute the speaker audio."},
    {C::UnmuteSpeaker, "cmd 54 0\r", R::Common, "Unable to mute speaker audio."},
    {C::ReceiverOn, "cmd 57\r", R::Common, "Unable to turn Receive on."},
    {C::setTransmitFrequency, "cmd 70 %d\r", R::Common, "Unable to set the transmit frequency."},
    {C::SelectStartPower, "cmd 71 0 0 1\r", R::Common, "Unable to set the power."},
    {C::SelectTrackingPower, "cmd 71 %d %d %d\r", R::AnyReply,
     "Unable to Select Tracking Power Level."},
    {C::ToneGateDeviation, "cmd 72 3 %d\r", R::Unchecked, ""},
    {C::EncodeToneGate, "cmd 73 1 1862\r", R::Common, "Unable to encode 186.2Hz Tone Tone Gate."},
    {C::EncodeTone100, "cmd 73 1 1000\r", R::Common, ""},
    {C::TransmitterOn, "cmd 74 1\r", R::Common, "Unable to turn the transmitter on."},
    {C::TransmitterOff, "cmd 74 0\r", R::Common, "Unable to turn transmitter off."},
    {C::PowerDacStep, "cmd 81 %d\r", R::AnyReply, "Unable to change TX Power."},
    {C::CopyPowerDac, "cmd 82 1\r", R::AnyReply, "Unable to read and copy power DAC value."},
    {C::InitDspI, "cmd 83 0 %d %d\r", R::Common, "Unable to initialize DSP-I value."},
    {C::InitDspQ, "cmd 83 1 %d %d\r", R::Common, "Unable to initialize DSP-Q value."},
    {C::DspI, "cmd 83 0 %d\r", R::Unchecked, ""},
    {C::DspQ, "cmd 83 1 %d\r", R::Unchecked, ""},
    {C::ApplyIqBalance, "cmd 84\r", R::Unchecked, ""},
    {C::OpenControlLoop, "cmd 85 0\r", R::Common, "Unable to open control loop."},
    {C::PowerControlLoop, "cmd 85 %d\r", R::Common, "Unable to change power control loop state."},
    {C::CorraI, "cmd 86 0 %d\r", R::Common, "Unable to initialize Corra-I value."},
    {C::CorraQ, "cmd 86 1 %d\r", R::Common, "Unable to initialize Corra-Q value."},
    {C::ReadCodeVersion, "db 2005 2006\r", R::AnyReply, "Unable to read radio code version."},
    {C::ReadBandSplit, "db 20:0E 20:0E\r", R::AnyReply, "Unable to read radio code version."},
    {C::ReadRadioType, "db 20:37 20:37\r", R::AnyReply, "Unable to read radio code version."},
}};

constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (static_cast<std::size_t>(kTable[i].command) != i) return false;
    return true;
}
static_assert(tableInEnumOrder(), "one row per command, in the order of HdtCommand");

}  // namespace

const HdtCommandSpec& commandSpec(HdtCommand command) {
    return kTable[static_cast<std::size_t>(command)];
}

std::optional<std::string> formatCommand(HdtCommand command,
                                         std::initializer_list<std::int64_t> args) {
    const std::string_view line = commandSpec(command).line;
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '%' && i + 1 < line.size() && line[i + 1] == 'd') {
            if (next == args.end()) return std::nullopt;
            out += std::to_string(*next++);
            ++i;
        } else {
            out += line[i];
        }
    }
    if (next != args.end()) return std::nullopt;
    return out;
}

}  // namespace tw::testtune
