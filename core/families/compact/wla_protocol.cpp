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

bool WlaLink::send(const std::vector<std::uint8_t>& bytes) {
    return env_.link.slkWriteBuffer(handle_, reinterpret_cast<const char*>(bytes.data()),
                                    bytes.size()) != 0;
}

bool WlaLink::sendByte(std::uint8_t byte) {
    return env_.link.slkWriteChar(handle_, static_cast<char>(byte)) != 0;
}

bool WlaLink::read(std::size_t count, std::vector<std::uint8_t>& out, int wait) {
    return read(count, out, wait, {});
}

bool WlaLink::read(std::size_t count, std::vector<std::uint8_t>& out, int wait,
                   const std::function<void(unsigned long)>& arrived) {
    out.assign(count, 0);
    unsigned long received = 0;
    const bool ok =
        env_.link.slkReadBuffer(handle_, out.data(), count, &received, wait, arrived) != 0;
    out.resize(ok ? received : 0);
    return ok;
}

std::vector<std::uint8_t> WlaLink::poll(std::size_t count, Millis firstByteMs) {
    return env_.link.slkReadPoll(handle_, count, firstByteMs).bytes;
}

Millis WlaLink::now() const {
    return env_.clock.now();
}

int WlaLink::readChar() {
    int byte = 0;
    return env_.link.slkReadChar(handle_, byte) ? (byte & 0xFF) : -1;
}

void WlaLink::pause(int milliseconds) {
    env_.link.slkSleep(handle_, milliseconds);
}

void WlaLink::close() {
    if (handle_ != kNoLink) env_.link.slkClose(handle_);
    handle_ = kNoLink;
}

std::optional<WlaIdentity> WlaLink::WlaConnect(WlaMode mode) {
    close();
    handle_ = env_.link.slkInit(1, kWlaBaud);
    if (handle_ == kNoLink) {
        env_.ui.message(messages::kPortNotOpened);
        return std::nullopt;
    }
    auto fail = [this](const char* message) -> std::optional<WlaIdentity> {
        if (message) env_.ui.message(message);
        close();
        return std::nullopt;
    };
    const bool flash = mode == WlaMode::Flash;
    if (flash) env_.link.slkSetDTR(handle_, 0);
    env_.ui.message(flash ? messages::kPowerCycleFlash : messages::kPowerCycleProgramming);

    // A plain wait of the thread, as the radio needs it after power-on; not the link's pause.
    env_.clock.sleep(kWakePauseMs);
    if (!sendByte(kWakeByte)) return fail(nullptr);
    env_.clock.sleep(kWakePauseMs);
    if (readChar() != '>') return fail(nullptr);
    const int modeLetter = readChar();
    if (modeLetter < 0) return fail(nullptr);
    if (modeLetter != (flash ? 'F' : 'G')) return fail(messages::kUnknownMode);

    std::vector<std::uint8_t> answer;
    if (!send({static_cast<std::uint8_t>(flash ? 'F' : 'G'), 'E'}) || !read(kIdentityMax, answer))
        return fail(nullptr);
    // An answer that stops before the configuration byte is no identification: fail as a
    // failed read does rather than judge the radio by bytes it never sent.
    std::string problem;
    auto id = decodeIdentity(answer.data(), answer.size(), problem);
    if (!id) return fail(problem.empty() ? nullptr : problem.c_str());
    return id;
}

}  // namespace tw::compact
