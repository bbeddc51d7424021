#include "families/hln/hln_test_mode.h"

#include <string>

#include "families/hln/hln_connect.h"
#include "families/hln/hln_messages.h"
#include "families/hln/radio_identity.h"
#include "ui/ui.h"

namespace tw::hln {
namespace {

constexpr std::uint8_t kLeaveTestMode = 0x13;
constexpr unsigned long kLeaveAnswerMax = 20;

}  // namespace

bool HlnEnterTestMode(HlnLink& link, std::string& modelName, char radioType) {
    BusyCursor busy(link.ui());
    modelName = "????????";
    if (!link.open()) {
        link.message(messages::kCommNotOpen);
        return false;
    }
    RadioIdentity identity;
    if (!HlnConnect(link, radioType, identity)) {
        link.close();
        return false;
    }
    const std::string name = HlnModelName(identity);
    if (name.empty()) {
        modelName = "???";
        link.close();
        return false;
    }
    modelName = name;
    link.pause(40);
    link.flush();
    link.pause(50);
    if (!link.writeText("GF")) {
        link.close();
        link.message(messages::kUnableToWrite);
        return false;
    }
    // From here the radio may be in test mode. Should the operation be cancelled before the
    // prompt confirms it, the leave byte takes it out again as the port closes; once
    // confirmed, test mode was asked for and stays until the technician leaves it.
    link.port().setFinishing(std::string(1, static_cast<char>(kLeaveTestMode)));
    link.pause(50);
    if (link.readChar() && link.heldIsPrompt()) {
        link.port().clearFinishing();
        return true;
    }
    link.close();
    link.message(messages::kTestModeRefused);
    return false;
}

bool HlnLeaveTestMode(HlnLink& link) {
    BusyCursor busy(link.ui());
    if (!link.isOpen()) {
        link.message(messages::kCommNotOpen);
        return false;
    }
    link.pause(40);
    link.flush();
    link.pause(50);
    if (!link.writeChar(kLeaveTestMode)) {
        link.close();
        link.message(messages::kUnableToWrite);
        return false;
    }
    link.port().clearFinishing();
    link.pause(2000);
    const auto answer = link.port().readUpTo(kLeaveAnswerMax);
    if (!answer) {
        link.close();
        link.message(messages::kReadRadioFailed);
        return false;
    }
    link.pause(50);
    link.message(std::to_string(answer->size()));
    link.close();
    if (!answer->empty() && static_cast<std::uint8_t>(answer->back()) == HlnLink::kPrompt)
        return true;
    link.message(messages::kTestModeStuck);
    return false;
}

}  // namespace tw::hln
