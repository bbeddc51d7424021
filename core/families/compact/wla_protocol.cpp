#include "families/compact/wla_protocol.h"

#include "families/compact/crc8.h"

namespace tw::compact {

namespace {

constexpr int kWakePauseMs = 100;
constexpr std::uint8_t kTypeWla30 = 30;
constexpr std::uint8_t kTypeWla31 = 31;

// Count in two bytes and address in four, high bytes first.
void appendCountAndAddress(std::vector<std::uint8_t>& out, std::size_t count,
                           std::uint32_t address) {
    out.push_back(static_cast<std::uint8_t>(count >> 8));
    out.push_back(static_cast<std::uint8_t>(count & 0xFF));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>((address >> shift) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> readTrackingCommand() {
    std::vector<std::uint8_t> c = {'G', 'C'};
    appendCountAndAddress(c, kWlaRecordSize, kTrackingAddress);
    return c;
}

std::vector<std::uint8_t> writeTrackingHead() {
    std::vector<std::uint8_t> c = {'G', 'D'};
    appendCountAndAddress(c, kWlaRecordSize, kTrackingAddress);
    return c;
}

std::vector<std::uint8_t> flashBlockCommand(std::uint32_t address, const std::uint8_t* data) {
    std::vector<std::uint8_t> c = {'F', 'D'};
    // The count covers the data and the check byte.
    appendCountAndAddress(c, kFlashBlockSize + 1, address);
    c.insert(c.end(), data, data + kFlashBlockSize);
    c.push_back(crc8(data, kFlashBlockSize));
    return c;
}

std::optional<WlaIdentity> decodeIdentity(const std::uint8_t* answer, std::size_t count,
                                          std::string& problem) {
    problem.clear();
    if (count < kIdentityMin) return std::nullopt;
    if (answer[0] != kTypeWla30 && answer[0] != kTypeWla31) {
        problem = messages::kWrongRadioType;
        return std::nullopt;
    }
    const int config = static_cast<std::int8_t>(answer[3]);
    if (config < 0 || config > 9) {
        problem = messages::kInvalidBandSplit;
        return std::nullopt;
    }
    WlaIdentity id;
    id.radioType = answer[0];
    id.fortyWatts = (config & 1) != 0;
    id.band = config / 2;
    return id;
}

bool WlaLink::read(std::size_t count, std::vector<std::uint8_t>& out, int wait) {
    return read(count, out, wait, {});
}

bool WlaLink::read(std::size_t count, std::vector<std::uint8_t>& out, int wait,
                   const std::function<void(unsigned long)>& arrived) {
    const auto got = port_.readUpTo(count, wait, arrived);
    if (got)
        out.assign(got->begin(), got->end());
    else
        out.clear();
    return got.has_value();
}

bool WlaLink::open(WlaMode mode) {
    if (!port_.openSaved(kWlaBaud)) return false;
    if (mode == WlaMode::Flash) port_.setDtr(false);
    return true;
}

WlaLink::Connection WlaLink::WlaConnect(WlaMode mode) {
    Connection result;
    const bool flash = mode == WlaMode::Flash;
    // A plain wait of the thread, as the radio needs it after power-on; not the link's pause.
    Clock& clock = port_.clock();
    clock.sleep(kWakePauseMs);
    if (!sendByte(kWakeByte)) return result;
    clock.sleep(kWakePauseMs);
    if (port_.readByte() != '>') return result;
    const auto modeLetter = port_.readByte();
    if (!modeLetter) return result;
    if (*modeLetter != (flash ? 'F' : 'G')) {
        result.problem = messages::kUnknownMode;
        return result;
    }

    std::vector<std::uint8_t> answer;
    if (!send({static_cast<std::uint8_t>(flash ? 'F' : 'G'), 'E'}) || !read(kIdentityMax, answer))
        return result;
    // An answer that stops before the configuration byte is no identification: fail as a
    // failed read does rather than judge the radio by bytes it never sent.
    result.identity = decodeIdentity(answer.data(), answer.size(), result.problem);
    return result;
}

}  // namespace tw::compact
