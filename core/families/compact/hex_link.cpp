#include "families/compact/hex_link.h"

#include "util/text.h"

namespace tw::compact {

namespace {

constexpr std::uint8_t kWake = 0x55;
constexpr char kReady = '>';
constexpr std::size_t kIdentityChars = 4;

bool isRadioHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int digitValue(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

}  // namespace

std::string hexBlockCommand(char op, std::uint8_t count, std::uint16_t address) {
    return format("G%c%02X%04X", op, static_cast<unsigned>(count), static_cast<unsigned>(address));
}

bool HexLink::send(const std::string& text) {
    return env_.link.slkWriteBuffer(handle_, text.data(), text.size()) != 0;
}

void HexLink::close() {
    if (handle_ != kNoLink) env_.link.slkClose(handle_);
    handle_ = kNoLink;
}

void HexLink::fail(const char* message) {
    close();
    status_.close();
    env_.ui.message(message);
}

bool HexLink::WlbConnect(std::string& version) {
    return connect(wlbModel(), version);
}

bool HexLink::MartenConnect(std::string& version) {
    return connect(marten60pModel(), version);
}

bool HexLink::connect(const CompactModel& model, std::string& versionOut) {
    close();
    handle_ = env_.link.slkInit(1, kBaud);
    if (handle_ == kNoLink) {
        env_.ui.message(messages::kPortNotOpened);
        return false;
    }
    env_.link.slkBreak(handle_, kBreakMs);
    int answer = 0;
    if (!env_.link.slkWriteChar(handle_, static_cast<char>(kWake)) ||
        !env_.link.slkReadChar(handle_, answer) || (answer & 0xFF) != kReady) {
        close();
        return false;
    }
    if (!send("G2")) {
        close();
        return false;
    }
    env_.link.slkSleep(handle_, kCommandPauseMs);
    std::string id(kIdentityChars, '\0');
    unsigned long received = 0;
    if (!env_.link.slkReadBuffer(handle_, id.data(), kIdentityChars, &received, 0) ||
        received < kIdentityChars) {
        close();
        return false;
    }
    if (id.compare(0, 2, model.identity) != 0) {
        env_.ui.message(messages::kWrongRadioType);
        close();
        return false;
    }
    versionOut = versionText(model, id.substr(2, 2));
    return true;
}

bool HexLink::readBlockQuietly(std::uint8_t count, std::uint16_t address, std::uint8_t* dest) {
    env_.link.slkSleep(handle_, kCommandPauseMs);
    if (!send(hexBlockCommand('4', count, address))) return false;
    env_.link.slkSleep(handle_, kCommandPauseMs);
    const std::size_t chars = 2 * static_cast<std::size_t>(count);
    std::string answer(chars, '\0');
    unsigned long received = 0;
    if (!env_.link.slkReadBuffer(handle_, answer.data(), chars, &received, 0) || received != chars)
        return false;
    for (char c : answer)
        if (!isRadioHexDigit(c)) return false;
    for (std::size_t i = 0; i < count; ++i)
        dest[i] = static_cast<std::uint8_t>(digitValue(answer[2 * i]) * 16 +
                                            digitValue(answer[2 * i + 1]));
    return true;
}

bool HexLink::ReadHexBlock(std::uint8_t count, std::uint16_t address, std::uint8_t* dest) {
    if (readBlockQuietly(count, address, dest)) return true;
    fail(messages::kCouldNotRead);
    return false;
}

bool HexLink::WriteHexBlock(std::uint8_t count, std::uint16_t address, const std::string& data) {
    env_.link.slkSleep(handle_, kCommandPauseMs);
    bool sent = false;
    {
        // The radio stores whatever follows the command as the block.
        SerialLink::WholeCommand whole(env_.link);
        sent = send(hexBlockCommand('1', count, address));
        for (std::size_t i = 0; sent && i < data.size(); ++i) {
            sent = env_.link.slkWriteChar(handle_, data[i]) != 0;
            if (sent) env_.link.slkSleep(handle_, kCharPauseMs);
        }
    }
    if (!sent) fail(messages::kCouldNotWrite);
    return sent;
}

bool HexLink::sendReset() {
    if (send("G9")) return true;
    env_.ui.message(messages::kResetFailed);
    return false;
}

}  // namespace tw::compact
