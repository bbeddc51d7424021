#include "families/kvr/marten30_link.h"

#include "families/kvr/kvr_command.h"
#include "util/hex.h"

namespace tw::kvr {

namespace {

constexpr std::uint8_t kBlockBytes = 16;
constexpr std::size_t kIdentityLength = 8;
constexpr std::size_t kBlockChars = 32;
constexpr int kIdentityDelayMs = 50;
constexpr int kCharPauseMs = 2;  // the radio stores each character before taking the next
constexpr int kBeforeReadBackMs = 20;
constexpr int kReadBackWait = 2;

}  // namespace

bool Marten30Link::send(const std::string& text) {
    return env_.link.slkWriteBuffer(handle_, text.data(), text.size()) != 0;
}

int Marten30Link::readChar() {
    int byte = 0;
    return env_.link.slkReadChar(handle_, byte) ? (byte & 0xFF) : -1;
}

void Marten30Link::close() {
    if (handle_ != kNoLink) env_.link.slkClose(handle_);
    handle_ = kNoLink;
}

std::optional<Marten30Identity> Marten30Link::identify() {
    close();
    handle_ = env_.link.slkInit(1, kBaud);
    if (handle_ == kNoLink) {
        env_.ui.message(messages::kM30PortNotOpened);
        return std::nullopt;
    }
    auto fail = [this](const char* message) -> std::optional<Marten30Identity> {
        if (message) env_.ui.message(message);
        close();
        return std::nullopt;
    };

    if (!send("G0")) return fail(nullptr);
    const int mode = readChar();
    if (mode < 0) return fail(nullptr);
    if (mode != '>') return fail(messages::kNotProgrammingMode);

    if (!send("G2")) return fail(nullptr);
    env_.link.slkSleep(handle_, kIdentityDelayMs);
    std::string id(kIdentityLength, '\0');
    unsigned long received = 0;
    if (!env_.link.slkReadBuffer(handle_, id.data(), kIdentityLength, &received, 0) ||
        received < kIdentityLength)
        return fail(nullptr);
    readChar();  // the prompt after the identity

    Marten30Identity ident;
    if (id[0] != '1' || (id[1] != 'B' && id[1] != 'C')) return fail(messages::kWrongRadioType);
    ident.radioId = id[1] == 'B' ? 27 : 28;
    ident.radioCode = id.substr(2, 2);
    if (ident.radioCode == "FF") return fail(messages::kNoFlashCode);
    const std::uint8_t info = strictHexPair(id[4], id[5]);
    ident.country = (info >> 5) & 0x03;
    ident.bandSplit = info & 0x07;
    if (ident.country == 0) env_.ui.message(messages::kInvalidCountry);
    if (ident.bandSplit != 0 && ident.bandSplit != 1 && ident.bandSplit != 3 &&
        ident.bandSplit != 4)
        return fail(messages::kInvalidBandSplit);
    ident.flags = strictHexPair(id[6], id[7]) & 0x03;
    return ident;
}

bool Marten30Link::readBlock(std::uint16_t address, std::string& chars, int wait) {
    chars.assign(kBlockChars, '\0');
    unsigned long received = 0;
    const bool ok = send(memoryCommand(MemoryOp::Read, kBlockBytes, address)) &&
                    env_.link.slkReadBuffer(handle_, chars.data(), kBlockChars, &received, wait);
    chars.resize(received);
    // A radio that said nothing will not send a prompt either; waiting for it would only add
    // the character wait to the verdict.
    if (received > 0) readChar();  // the prompt after the block
    return ok && received == kBlockChars;
}

Marten30Link::WriteResult Marten30Link::writeBlock(std::uint16_t address,
                                                   const std::string& chars) {
    {
        // The radio stores whatever follows the command as the block.
        SerialLink::WholeCommand whole(env_.link);
        if (!send(memoryCommand(MemoryOp::Write, kBlockBytes, address)))
            return WriteResult::SendFailed;
        for (char c : chars) {
            if (!env_.link.slkWriteChar(handle_, c)) return WriteResult::SendFailed;
            env_.link.slkSleep(handle_, kCharPauseMs);
        }
    }
    readChar();  // the radio's prompt once the block is stored
    env_.link.slkSleep(handle_, kBeforeReadBackMs);
    std::string back;
    if (!readBlock(address, back, kReadBackWait) || back != chars) return WriteResult::NotVerified;
    return WriteResult::Written;
}

}  // namespace tw::kvr
