#include "testtune/hdt_link.h"

#include "config/profile.h"
#include "testtune/hdt_reply.h"
#include "util/text.h"

namespace tw::testtune {
namespace {

std::string_view lineOf(HdtCommand command) {
    return commandSpec(command).line;
}

}  // namespace

CHdtLink::CHdtLink(Env& env) : env_(env), port_(env.link) {}

CHdtLink::~CHdtLink() = default;

bool CHdtLink::hasPrompt() const {
    return reply_.count > 0 && replyHasPrompt(reply_.text());
}

bool CHdtLink::lastPassed() const {
    return reply_.count > 0 && !replyFails(reply_.text());
}

bool CHdtLink::send(std::string_view line) {
    ClearReply();
    return Transact(line);
}

bool CHdtLink::run(HdtCommand command, std::initializer_list<std::int64_t> args) {
    const HdtCommandSpec& row = commandSpec(command);
    const auto line = formatCommand(command, args);
    if (!line) return false;
    PortSession& session = port_.session();
    // A transmitter left keyed by a cancelled test goes on sending: unkeying is the step that
    // leaves the radio safe, sent as the port closes unless the test unkeyed it itself.
    if (command == HdtCommand::TransmitterOn)
        session.setFinishing(std::string(lineOf(HdtCommand::TransmitterOff)));
    const bool sent = send(*line);
    // A refused line never reached the radio, so it keys nothing.
    if (command == HdtCommand::TransmitterOn && !sent && session.link().cancelled())
        session.clearFinishing();
    bool passed = true;
    switch (row.rule) {
        case ReplyRule::Common:
            passed = sent && lastPassed();
            break;
        case ReplyRule::AnyReply:
            passed = sent && reply_.count > 0;
            break;
        case ReplyRule::NeedsPass:
            passed = sent && lastPassed() && replyHas(reply_.text(), "PASS");
            break;
        case ReplyRule::Unchecked:
            break;
    }
    if (command == HdtCommand::TransmitterOff && passed) session.clearFinishing();
    if (!passed && !row.failure.empty()) env_.ui.message(std::string(row.failure));
    return passed;
}

bool CHdtLink::Drain() {
    if (!port_.isOpen()) return false;
    const Millis start = env_.clock.now();
    int taken = 0;
    while (port_.session().readByte()) {
        if (++taken >= kDrainMaxBytes || env_.clock.now() - start >= kDrainMaxMs) {
            env_.ui.detail("The radio keeps sending; the line could not be emptied.");
            return false;
        }
    }
    return true;
}

bool CHdtLink::Connect() {
    BusyCursor busy(env_.ui);
    if (!port_.session().openSaved(kBaud)) {
        env_.ui.message(kCannotOpen);
        return false;
    }
    lost_ = false;
    Drain();
    ClearReply();

    // A failed probe is not fatal by itself: the reads that follow tell.
    if (Transact(kPromptProbe) && !hasPrompt()) {
        env_.ui.message(kPowerOn);
        pause(kPromptRetryMs);
        ClearReply();
        if (Transact(kPromptProbe) && !hasPrompt()) return false;
    }
    ReadCodeVersion();
    ReadBandAndType();
    Drain();
    return EnterTestMode();
}

bool CHdtLink::Resync() {
    Drain();
    ClearReply();
    if (Transact(kResyncProbe) && !hasPrompt()) {
        pause(kResyncRetryMs);
        ClearReply();
        if (Transact(kResyncProbe) && !hasPrompt()) {
            env_.ui.message(kHdtLost);
            return false;
        }
    }
    ReadCodeVersion();
    ReadBandAndType();
    return EnterTestMode();
}

bool CHdtLink::EnterTestMode() {
    ClearReply();
    if (!Transact(lineOf(HdtCommand::EnterTestMode))) {
        port_.Close();
        return false;
    }
    if (!replyHas(reply_.text(), "est")) {
        env_.ui.message(std::string(commandSpec(HdtCommand::EnterTestMode).failure));
        return false;
    }
    return true;
}

bool CHdtLink::ReadCodeVersion() {
    const std::string failure(commandSpec(HdtCommand::ReadCodeVersion).failure);
    ClearReply();
    const bool sent = Transact(lineOf(HdtCommand::ReadCodeVersion));
    const auto version = sent ? codeVersion(reply_.text()) : std::nullopt;
    if (!version) {
        env_.ui.message(failure);
        return false;
    }
    facts_.versionMajor = version->major;
    facts_.versionMinor = version->minor;
    ClearReply();
    return true;
}

bool CHdtLink::ReadBandAndType() {
    const std::string failure(commandSpec(HdtCommand::ReadBandSplit).failure);
    ClearReply();
    if (!Transact(lineOf(HdtCommand::ReadBandSplit)) || reply_.count <= 0) {
        env_.ui.message(failure);
        return false;
    }
    const auto band = memoryByteField(reply_.text());
    if (band == "30") {
        facts_.band = kBand800;
    } else if (band == "35") {
        facts_.band = kBand900;
    } else {
        env_.ui.message(kNoBandSplit);
        return false;
    }

    ClearReply();
    if (!Transact(lineOf(HdtCommand::ReadRadioType)) || reply_.count <= 0) {
        env_.ui.message(failure);
        return false;
    }
    const auto type = memoryByteField(reply_.text());
    for (const std::uint8_t code : kTestRadioTypes) {
        if (type == format("%02X", code)) {
            facts_.radioType = code;
            return true;
        }
    }
    env_.ui.message(kNoRadioType);
    return false;
}

int CHdtLink::ReadBattery() {
    ClearReply();
    if (!Transact(lineOf(HdtCommand::ReadBattery))) return -1;
    const auto level = keyedValue(reply_.text(), "BATT=", 3);
    ClearReply();
    // The trailing carriage return brings the interpreter back to its prompt.
    if (!Transact(kPromptProbe)) {
        ConnectionLost();
        return -2;
    }
    Drain();
    return level ? *level : -1;
}

void CHdtLink::ConnectionLost() {
    env_.ui.message(kLinkLost);
    port_.Close();
    lost_ = true;
    if (lostHandler_) lostHandler_();
}

}  // namespace tw::testtune
