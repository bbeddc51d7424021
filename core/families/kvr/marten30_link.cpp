#include "families/kvr/marten30_link.h"

#include <utility>

#include "link/memory_command.h"
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

int Marten30Link::readChar() {
    const auto byte = port_.readByte();
    return byte ? *byte : -1;
}

bool Marten30Link::open() {
    return port_.openSaved(kBaud);
}

Marten30Link::Identification Marten30Link::identify() {
    Identification result;
    auto fail = [&result](Fault fault) {
        result.fault = fault;
        return result;
    };

    if (!send("G0")) return fail(Fault::Silent);
    const int mode = readChar();
    if (mode < 0) return fail(Fault::Silent);
    if (mode != '>') return fail(Fault::NotProgrammingMode);

    if (!send("G2")) return fail(Fault::Silent);
    port_.pause(kIdentityDelayMs);
    const auto id = port_.readExact(kIdentityLength);
    if (!id) return fail(Fault::Silent);
    readChar();  // the prompt after the identity

    Marten30Identity ident;
    if ((*id)[0] != '1' || ((*id)[1] != 'B' && (*id)[1] != 'C')) return fail(Fault::WrongRadioType);
    ident.radioId = (*id)[1] == 'B' ? 27 : 28;
    ident.radioCode = id->substr(2, 2);
    if (ident.radioCode == "FF") return fail(Fault::NoFlashCode);
    const std::uint8_t info = strictHexPair((*id)[4], (*id)[5]);
    ident.country = (info >> 5) & 0x03;
    ident.bandSplit = info & 0x07;
    result.unknownCountry = ident.country == 0;
    if (ident.bandSplit != 0 && ident.bandSplit != 1 && ident.bandSplit != 3 &&
        ident.bandSplit != 4)
        return fail(Fault::InvalidBandSplit);
    ident.flags = strictHexPair((*id)[6], (*id)[7]) & 0x03;
    result.identity = ident;
    return result;
}

const char* faultMessage(Marten30Link::Fault fault) {
    switch (fault) {
        case Marten30Link::Fault::Silent:
            return nullptr;
        case Marten30Link::Fault::NotProgrammingMode:
            return messages::kNotProgrammingMode;
        case Marten30Link::Fault::WrongRadioType:
            return messages::kWrongRadioType;
        case Marten30Link::Fault::NoFlashCode:
            return messages::kNoFlashCode;
        case Marten30Link::Fault::InvalidBandSplit:
            return messages::kInvalidBandSplit;
    }
    return nullptr;
}

bool Marten30Link::readBlock(std::uint16_t address, std::string& chars, int wait) {
    std::optional<std::string> got;
    if (send(memoryCommand(MemoryOp::Read, kBlockBytes, address)))
        got = port_.readUpTo(kBlockChars, wait);
    chars = got ? std::move(*got) : std::string();
    // A radio that said nothing will not send a prompt either; waiting for it would only add
    // the character wait to the verdict.
    if (!chars.empty()) readChar();  // the prompt after the block
    return got && chars.size() == kBlockChars;
}

Marten30Link::WriteResult Marten30Link::writeBlock(std::uint16_t address,
                                                   const std::string& chars) {
    {
        // The radio stores whatever follows the command as the block.
        SerialLink::WholeCommand whole(port_.link());
        if (!send(memoryCommand(MemoryOp::Write, kBlockBytes, address)))
            return WriteResult::SendFailed;
        for (char c : chars) {
            if (!port_.writeByte(static_cast<std::uint8_t>(c))) return WriteResult::SendFailed;
            port_.pause(kCharPauseMs);
        }
    }
    readChar();  // the radio's prompt once the block is stored
    port_.pause(kBeforeReadBackMs);
    std::string back;
    if (!readBlock(address, back, kReadBackWait) || back != chars) return WriteResult::NotVerified;
    return WriteResult::Written;
}

}  // namespace tw::kvr
