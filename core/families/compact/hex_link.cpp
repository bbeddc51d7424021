#include "families/compact/hex_link.h"

#include "link/memory_command.h"

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

bool HexLink::WlbConnect(std::string& version) {
    return connect(wlbModel(), version);
}

bool HexLink::MartenConnect(std::string& version) {
    return connect(marten60pModel(), version);
}

bool HexLink::connect(const CompactModel& model, std::string& versionOut) {
    fault_ = Fault::PortNotOpened;
    if (!port_.openSaved(kBaud)) return false;
    fault_ = Fault::Silent;
    port_.sendBreak(kBreakMs);
    if (!port_.writeByte(kWake) || port_.readByte() != kReady) return false;
    if (!send("G2")) return false;
    port_.pause(kCommandPauseMs);
    const auto id = port_.readExact(kIdentityChars);
    if (!id) return false;
    if (id->compare(0, 2, model.identity) != 0) {
        fault_ = Fault::WrongRadioType;
        return false;
    }
    versionOut = versionText(model, id->substr(2, 2));
    return true;
}

bool HexLink::ReadHexBlock(std::uint8_t count, std::uint16_t address, std::uint8_t* dest) {
    port_.pause(kCommandPauseMs);
    if (!send(memoryCommand(MemoryOp::Read, count, address))) return false;
    port_.pause(kCommandPauseMs);
    const std::size_t chars = 2 * static_cast<std::size_t>(count);
    const auto answer = port_.readExact(chars);
    if (!answer) return false;
    for (char c : *answer)
        if (!isRadioHexDigit(c)) return false;
    for (std::size_t i = 0; i < count; ++i)
        dest[i] = static_cast<std::uint8_t>(digitValue((*answer)[2 * i]) * 16 +
                                            digitValue((*answer)[2 * i + 1]));
    return true;
}

bool HexLink::WriteHexBlock(std::uint8_t count, std::uint16_t address, const std::string& data) {
    port_.pause(kCommandPauseMs);
    // The radio stores whatever follows the command as the block.
    SerialLink::WholeCommand whole(port_.link());
    bool sent = send(memoryCommand(MemoryOp::Write, count, address));
    for (std::size_t i = 0; sent && i < data.size(); ++i) {
        sent = port_.writeByte(static_cast<std::uint8_t>(data[i]));
        if (sent) port_.pause(kCharPauseMs);
    }
    return sent;
}

bool HexLink::sendReset() {
    return send("G9");
}

}  // namespace tw::compact
