#include "families/hln/hln_connect.h"

#include <algorithm>

#include "families/hln/hln_messages.h"
#include "ui/ui.h"
#include "util/text.h"

namespace tw::hln {
namespace {

constexpr std::uint8_t kWakeByte = 0x55;
constexpr int kWakeBytes = 5;
constexpr int kExtendedAttempts = 200;
constexpr int kTrwPasses = 500;
constexpr int kTrwPassesPerRtsPulse = 100;
// From this pass on a TRW gets a second break per pass.
constexpr int kTrwDoubleBreakPass = 11;
constexpr int kBreakMs = 30;

// Up to five wake bytes; true when the radio answered the prompt.
bool wake(HlnLink& link, bool& writeFailed) {
    for (int i = 0; i < kWakeBytes; ++i) {
        if (!link.writeChar(kWakeByte)) {
            writeFailed = true;
            return false;
        }
        link.pause(20);
        if (!link.readChar()) link.pause(200);
        if (link.heldByte() != 0) link.pause(200);
        if (link.heldIsPrompt()) return true;
    }
    return false;
}

// TRV radios that missed the wake bytes listen for line breaks instead.
void extendedHandshake(HlnLink& link) {
    for (int attempt = 1; attempt <= kExtendedAttempts; ++attempt) {
        link.setStatus(format(messages::kStatusExtended, attempt, kExtendedAttempts));
        link.port().sendBreak(kBreakMs);
        link.readChar();
        if (link.heldIsPrompt()) return;
    }
}

// TRW radios need breaks, and now and then an RTS pulse to reset their interface.
bool trwHandshake(HlnLink& link) {
    PortSession& port = link.port();
    int counted = 0;
    for (int pass = 1; pass <= kTrwPasses; ++pass) {
        link.readChar();
        if (link.heldIsPrompt()) return true;
        if (++counted == kTrwPassesPerRtsPulse) {
            port.setRts(false);
            link.pause(250);
            port.setRts(true);
            link.pause(1250);
            counted = 0;
        }
        port.sendBreak(kBreakMs);
        if (pass >= kTrwDoubleBreakPass) {
            link.pause(25);
            port.sendBreak(kBreakMs);
            link.pause(25);
        }
    }
    return false;
}

// "GE" answered by the 6-byte ID and a prompt.
bool readRadioId(HlnLink& link, std::uint8_t* id) {
    if (!link.writeText("GE")) {
        link.message(messages::kGetIdWriteFailed);
        return false;
    }
    link.pause(2000);
    const auto answer = link.port().readUpTo(6);
    if (answer) std::copy(answer->begin(), answer->end(), id);
    if (!answer || answer->size() != 6) {
        link.message(messages::kReadIdFailed);
        return false;
    }
    return hlnReceivePrompt(link);
}

}  // namespace

bool HlnConnect(HlnLink& link, char expected, RadioIdentity& identity) {
    BusyCursor busy(link.ui());
    link.port().setDtr(true);
    if (needsPowerCycleHint(expected)) {
        link.message(messages::kProgramMode);
        link.pause(2000);
    }
    link.flush();
    // What the flush or an earlier operation left must not pass for the wake answer.
    link.setHeld(0);

    HlnStatusScope status(link);
    link.setStatus(messages::kStatusWaking);
    bool writeFailed = false;
    if (!wake(link, writeFailed)) {
        if (writeFailed) {
            link.message(messages::kWakeWriteFailed);
            link.message(messages::kProgramMode);
            return false;
        }
        if (expected == 'C') {
            link.setHeld(' ');
            if (link.ui().askYesNo(messages::kAskExtended)) extendedHandshake(link);
        }
        if (!link.heldIsPrompt()) {
            if (expected != 'B') {
                link.message(messages::kHandshakeFailed);
                link.message(messages::kProgramMode);
                return false;
            }
            if (!trwHandshake(link)) {
                link.message(messages::kNoHandshake);
                return false;
            }
        }
    }

    link.flush();
    // The ID is asked twice and the second answer kept: the first may still carry bytes
    // left over from the handshake.
    std::uint8_t id[6] = {};
    if (!readRadioId(link, id) || !readRadioId(link, id)) return false;
    identity.setRadioId(id);
    if (!classifyRadioId(identity)) {
        link.message(messages::kUnknownType);
        return false;
    }

    if (!link.writeText("GG")) {
        link.message(messages::kGetSerialWriteFailed);
        return false;
    }
    std::uint8_t serial[6] = {};
    if (!hlnReceive(link, serial, 6) || !hlnReceivePrompt(link)) return false;
    identity.setSerialNumber(serial);
    return true;
}

}  // namespace tw::hln
