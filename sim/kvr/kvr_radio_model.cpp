#include "sim/kvr/kvr_radio_model.h"

namespace tw::sim {

std::string radioHexPair(std::uint8_t b) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[b >> 4], digits[b & 0x0F]};
}

int radioHexDigit(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

KvrRadioModel::KvrRadioModel(const ModelOptions& options)
    : wakeAfter_(optionInt(options, "wake", 1)),
      noise_(optionInt(options, "noise", 0)),
      forget_(optionInt(options, "forget", -1)) {
    // Identification block as the factory leaves it: type and band split in byte 0, an
    // arbitrary but fixed body, and the byte that makes the block sum to zero.
    const int type = optionInt(options, "type", 1) & 0x0F;
    const int band = optionInt(options, "band", 7) & 0x0F;
    memory_[0] = static_cast<std::uint8_t>(type << 4 | band);
    unsigned sum = memory_[0];
    for (std::size_t i = 1; i + 1 < kIdentificationSize; ++i) {
        memory_[i] = static_cast<std::uint8_t>(0x30 + i * 5);
        sum += memory_[i];
    }
    memory_[kIdentificationSize - 1] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));

    // Factory alignment: squelch near 128, powers around 150-200, modulation within 0..31,
    // and calibration bytes in between.
    static const std::uint8_t tracking[32] = {0x80, 0x11, 0x82, 0x12, 0x84, 0x96, 0x13, 0xA0,
                                              0x14, 0xAA, 0x10, 0x15, 0x12, 0x16, 0x14, 0x50,
                                              0x55, 0x5A, 0x40, 0x45, 0x4A, 0x9B, 0x17, 0xA5,
                                              0x18, 0xAF, 0x0E, 0x19, 0x0F, 0x1A, 0x1F, 0x1B};
    for (std::size_t i = 0; i < sizeof tracking; ++i) memory_[kTrackingAddress + i] = tracking[i];
}

void KvrRadioModel::onOpen(Millis now) {
    awake_ = false;
    wakeSeen_ = 0;
    command_.clear();
    writeLeft_ = 0;
    highDigit_ = -1;
    // Power-up chatter that is no answer to anything; ">" is the nastiest choice.
    for (int i = 0; i < noise_; ++i) sendByte('>', now);
}

void KvrRadioModel::onByte(std::uint8_t byte, Millis now) {
    if (!awake_) {
        if (byte != 'U') return;
        if (++wakeSeen_ >= wakeAfter_) {
            awake_ = true;
            sendByte('>', now, 1);
        }
        return;
    }
    if (writeLeft_ > 0) {
        takeWriteDigit(byte);
        return;
    }
    if (command_.empty() && byte != 'G') return;
    command_.push_back(static_cast<char>(byte));
    if (command_.size() == 8) runCommand(now);
}

void KvrRadioModel::runCommand(Millis now) {
    const std::string cmd = command_;
    command_.clear();
    int count = 0;
    std::size_t address = 0;
    for (std::size_t i = 2; i < 4; ++i) {
        const int d = radioHexDigit(static_cast<std::uint8_t>(cmd[i]));
        if (d < 0) return;
        count = count * 16 + d;
    }
    for (std::size_t i = 4; i < 8; ++i) {
        const int d = radioHexDigit(static_cast<std::uint8_t>(cmd[i]));
        if (d < 0) return;
        address = address * 16 + static_cast<std::size_t>(d);
    }
    if (cmd[1] == '4') {
        std::string reply;
        for (int i = 0; i < count; ++i) reply += radioHexPair(memory_[(address + i) % kMemorySize]);
        send(reply, now, 2);
    } else if (cmd[1] == '1' && count > 0) {
        writeAt_ = address;
        writeStart_ = address;
        writeLeft_ = count;
        highDigit_ = -1;
    }
}

void KvrRadioModel::takeWriteDigit(std::uint8_t c) {
    const int d = radioHexDigit(c);
    const int digit = d < 0 ? 0 : d;
    if (highDigit_ < 0) {
        highDigit_ = digit;
        return;
    }
    const bool tracking = writeAt_ >= kTrackingAddress && writeAt_ < kTrackingAddress + 32;
    const bool forgotten =
        forget_ >= 0 && tracking && writeAt_ - writeStart_ >= static_cast<std::size_t>(forget_);
    if (!forgotten)
        memory_[writeAt_ % kMemorySize] = static_cast<std::uint8_t>(highDigit_ * 16 + digit);
    ++writeAt_;
    highDigit_ = -1;
    if (--writeLeft_ == 0) ++blocksWritten_;
}

}  // namespace tw::sim
