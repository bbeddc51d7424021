#include "sim/hln/hln_radio.h"

#include "util/file_io.h"
#include "util/hex.h"

namespace tw::sim {
namespace {

constexpr std::uint8_t kPrompt = '>';
constexpr std::uint8_t kWake = 0x55;
constexpr std::uint8_t kLeaveTest = 0x13;

std::uint16_t addressOf(const std::vector<std::uint8_t>& p) {
    return static_cast<std::uint16_t>(p[3] << 8 | p[4]);
}

}  // namespace

std::uint16_t HlnRadio::imageSizeOf(char letter) {
    switch (letter) {
        case 'A':
        case 'M':
            return 2048;
        case 'H':
        case 'I':
        case 'J':
        case 'K':
            return 3072;
        case 'U':
        case 'V':
            return 4096;
        case 'B':
        case 'C':
        case 'T':
            return 8192;
        default:
            return 0;
    }
}

HlnRadio::HlnRadio(const ModelOptions& options)
    : wakeBytes_(optionInt(options, "wake", 1)),
      wakeBreaks_(optionInt(options, "breaks", 0)),
      rtsPulses_(optionInt(options, "rts", 0)),
      stuck_(optionInt(options, "stuck", -1)),
      flaky_(optionInt(options, "flaky", -1)),
      allowTestMode_(optionInt(options, "testmode", 1) != 0) {
    const std::string type = optionText(options, "type", "U");
    const char letter = type.empty() ? 'U' : type[0];
    const std::uint16_t size = imageSizeOf(letter);
    id_[0] = static_cast<std::uint8_t>(letter);
    id_[1] = static_cast<std::uint8_t>(optionInt(options, "id1", 10));
    id_[2] = static_cast<std::uint8_t>(optionInt(options, "id2", 2));
    id_[3] = 0x00;
    id_[4] = 0x05;
    id_[5] = size == 2048 ? 0 : 8;
    const std::string serial = optionText(options, "serial", "00A1B2C3D4E5");
    for (int i = 0; i < 6; ++i) {
        const std::size_t at = static_cast<std::size_t>(2 * i);
        serial_[i] = at + 1 < serial.size() ? strictHexPair(serial[at], serial[at + 1]) : 0;
    }
    // A letter no radio reports still answers with a small memory, so that the program's
    // handling of unknown radios can be driven.
    layout_ = HlnMemoryLayout::fromOptions(size ? size : 2048, options);
    memory_ = buildHlnMemory(layout_);
    // A saved image of the type's size starts the radio with that memory (a personality,
    // its records and its pointer table); any other file leaves the built one.
    const std::string file = optionText(options, "memory", "");
    if (!file.empty())
        if (auto bytes = loadWholeFile(file, memory_.size());
            bytes && bytes->size() == memory_.size())
            memory_ = std::move(*bytes);
}

void HlnRadio::onOpen(Millis) {
    awake_ = false;
    testMode_ = false;
    wakesSeen_ = breaksSeen_ = pulsesSeen_ = 0;
    pending_.clear();
}

void HlnRadio::wakeUp(Millis now) {
    awake_ = true;
    pending_.clear();
    sendByte(kPrompt, now);
}

void HlnRadio::onBreak(int, Millis now) {
    if (awake_ || testMode_ || wakeBreaks_ <= 0 || pulsesSeen_ < rtsPulses_) return;
    if (++breaksSeen_ >= wakeBreaks_) wakeUp(now);
}

void HlnRadio::onRts(bool on, Millis) {
    if (on) ++pulsesSeen_;
}

void HlnRadio::store(std::uint16_t address, std::uint8_t value) {
    if (address >= memory_.size() || address == stuck_) return;
    memory_[address] = value;
}

void HlnRadio::sendMemory(std::uint16_t address, std::size_t count, Millis now) {
    std::vector<std::uint8_t> out(count, 0xFF);
    for (std::size_t i = 0; i < count; ++i)
        if (address + i < memory_.size()) out[i] = memory_[address + i];
    send(out.data(), out.size(), now);
}

void HlnRadio::sendImage(Millis now) {
    std::vector<std::uint8_t> out = memory_;
    if (++imageReads_ % 2 == 0 && flaky_ >= 0 && static_cast<std::size_t>(flaky_) < out.size())
        out[static_cast<std::size_t>(flaky_)] ^= 0x5A;
    out.push_back(kPrompt);
    send(out.data(), out.size(), now);
}

std::uint16_t HlnRadio::slotOffset(int slot) const {
    const std::size_t base = memory_[0] ? (memory_[3] << 8 | memory_[4]) : 0;
    const std::size_t tableAt = base + 33;
    if (tableAt + 1 >= memory_.size()) return 0;
    const std::size_t entry = (memory_[tableAt] << 8 | memory_[tableAt + 1]) + base + slot;
    if (entry + 1 >= memory_.size()) return 0;
    return static_cast<std::uint16_t>(memory_[entry] << 8 | memory_[entry + 1]);
}

void HlnRadio::sendFeatureRecord(Millis now) {
    const std::uint16_t offset = slotOffset(27);
    if (offset == 0) {
        sendByte(kPrompt, now);
        return;
    }
    const std::size_t base = memory_[0] ? (memory_[3] << 8 | memory_[4]) : 0;
    const auto at = static_cast<std::uint16_t>(base + offset);
    const std::size_t count = at + 2u < memory_.size() ? memory_[at + 2u] : 0;
    sendMemory(at, count + 5, now);
    sendByte(kPrompt, now);
}

void HlnRadio::onByte(std::uint8_t byte, Millis now) {
    if (testMode_) {
        if (byte == kLeaveTest) {
            testMode_ = false;
            send("\r\nPROGRAM\r\n>", now);
        }
        return;
    }
    if (!awake_) {
        if (byte == kWake && wakeBytes_ > 0 && ++wakesSeen_ >= wakeBytes_) wakeUp(now);
        return;
    }
    if (pending_.empty() && byte == kWake) {
        sendByte(kPrompt, now);  // a wake byte while awake is answered again
        return;
    }
    pending_.push_back(byte);
    command(now);
}

void HlnRadio::command(Millis now) {
    auto& p = pending_;
    if (p[0] != 'G') {
        p.clear();
        return;
    }
    if (p.size() < 2) return;
    switch (p[1]) {
        case 'E':
            send(id_, 6, now);
            sendByte(kPrompt, now);
            break;
        case 'G':
            send(serial_, 6, now);
            sendByte(kPrompt, now);
            break;
        case 'I':
            sendFeatureRecord(now);
            break;
        case 'A':
            sendImage(now);
            break;
        case 'F':
            if (!allowTestMode_) {
                sendByte('?', now);
                break;
            }
            testMode_ = true;
            sendByte(kPrompt, now);
            break;
        case 'C':
            if (p.size() < 5) return;
            sendMemory(addressOf(p), p[2], now);
            break;
        case 'D':
            if (p.size() < 5u + p[2]) return;
            for (std::size_t i = 0; i < p[2]; ++i)
                store(static_cast<std::uint16_t>(addressOf(p) + i), p[5 + i]);
            sendByte(kPrompt, now);
            break;
        case 'B':
            if (p.size() < 2u + memory_.size()) return;
            for (std::size_t i = 0; i < memory_.size(); ++i)
                store(static_cast<std::uint16_t>(i), p[2 + i]);
            sendByte(kPrompt, now);
            break;
        default:
            break;
    }
    p.clear();
}

}  // namespace tw::sim
