#include "sim/kvr/marten30_radio_model.h"

#include "sim/kvr/kvr_radio_model.h"

namespace tw::sim {

namespace {

std::uint8_t sumComplement(const std::uint8_t* p, std::size_t n) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += p[i];
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

}  // namespace

Marten30RadioModel::Marten30RadioModel(const ModelOptions& options)
    : portable_(optionText(options, "kind", "portable") != "mobile"),
      code_(optionText(options, "code", "41")),
      country_(optionInt(options, "country", 1) & 3),
      band_(optionInt(options, "band", 3) & 7),
      bits_(optionInt(options, "bits", 0) & 3),
      programming_(optionText(options, "mode", "programming") != "normal"),
      flakyBlock_(optionInt(options, "flaky", -1)),
      stuckBlock_(optionInt(options, "stuck", -1)) {
    code_.resize(2, '0');
    std::uint8_t* area = memory_.data() + kAreaStart;
    area[0] = static_cast<std::uint8_t>((portable_ ? 0x80 : 0) | country_ << 5 | band_);
    area[1] = 0x01;  // a subordinate radio
    // Squelch: closing below opening, distant above local.
    const std::uint8_t squelch[8] = {40, 48, 42, 50, 60, 68, 62, 70};
    for (int i = 0; i < 8; ++i) area[16 + i] = squelch[i];
    area[24] = 128;   // reference oscillator control
    area[47] = 0x9A;  // tone gate voice deviation
    area[48] = 120;
    area[49] = 0x56;
    area[50] = 0x78;
    for (int i = 0; i < 6; ++i) area[53 + i] = static_cast<std::uint8_t>(100 + i);
    area[71] = 131;
    area[72] = 21;
    area[73] = 33;
    area[103] = 0x01;  // serial number 1234567 in the low nibble and the next three bytes
    area[104] = 0x23;
    area[105] = 0x45;
    area[106] = 0x67;
    area[127] = sumComplement(area, 127);
    for (int row = 0; row < 5; ++row)
        for (int f = 0; f < 7; ++f)
            area[137 + row * 8 + f] = static_cast<std::uint8_t>(150 - row * 20 + f);
    area[191] = sumComplement(area + 128, 63);
}

void Marten30RadioModel::onOpen(Millis /*now*/) {
    command_.clear();
    writeCount_ = 0;
    writeData_.clear();
}

std::string Marten30RadioModel::identity() const {
    std::string id = "1";
    id += portable_ ? 'B' : 'C';
    id += code_;
    // The radio reports the country and band split it is configured with now, so an edit of
    // its tracking area shows in the next identification.
    id += radioHexPair(static_cast<std::uint8_t>(memory_[kAreaStart] & 0x67));
    id += radioHexPair(static_cast<std::uint8_t>(bits_));
    return id;
}

int Marten30RadioModel::blockOf(std::size_t address) const {
    if (address < kAreaStart || address >= kAreaStart + kAreaSize) return -1;
    return static_cast<int>((address - kAreaStart) / kBlockSize);
}

void Marten30RadioModel::onByte(std::uint8_t byte, Millis now) {
    if (writeCount_ > 0) {
        writeData_.push_back(static_cast<char>(byte));
        if (writeData_.size() < 2 * writeCount_) return;
        const bool keep = blockOf(writeAt_) != stuckBlock_ || stuckBlock_ < 0;
        for (std::size_t i = 0; keep && i < writeCount_; ++i) {
            const int h = radioHexDigit(static_cast<std::uint8_t>(writeData_[2 * i]));
            const int l = radioHexDigit(static_cast<std::uint8_t>(writeData_[2 * i + 1]));
            memory_[(writeAt_ + i) & 0xFFFF] =
                static_cast<std::uint8_t>((h < 0 ? 0 : h) * 16 + (l < 0 ? 0 : l));
        }
        writeCount_ = 0;
        writeData_.clear();
        ++blockWrites_;
        sendByte('>', now, 1);
        return;
    }
    if (command_.empty() && byte != 'G') return;
    command_.push_back(static_cast<char>(byte));
    if (command_.size() == 2 && (command_[1] == '0' || command_[1] == '2')) {
        runCommand(now);
    } else if (command_.size() == 2 && command_[1] != '1' && command_[1] != '4') {
        command_.clear();
    } else if (command_.size() == 8) {
        runCommand(now);
    }
}

void Marten30RadioModel::runCommand(Millis now) {
    const std::string cmd = command_;
    command_.clear();
    if (cmd == "G0") {
        sendByte(programming_ ? '>' : '?', now, 2);
        return;
    }
    if (cmd == "G2") {
        send(identity() + ">", now, 5);
        return;
    }
    int count = 0;
    std::size_t address = 0;
    for (std::size_t i = 2; i < 8; ++i) {
        const int d = radioHexDigit(static_cast<std::uint8_t>(cmd[i]));
        if (d < 0) return;
        if (i < 4)
            count = count * 16 + d;
        else
            address = address * 16 + static_cast<std::size_t>(d);
    }
    if (cmd[1] == '1') {
        writeAt_ = address;
        writeCount_ = static_cast<std::size_t>(count);
        return;
    }
    ++blockReads_;
    std::string reply;
    for (int i = 0; i < count; ++i) reply += radioHexPair(memory_[(address + i) & 0xFFFF]);
    // A loose contact on one block: every second read of it comes back with a bit flipped.
    if (flakyBlock_ >= 0 && blockOf(address) == flakyBlock_ && (flakyReads_++ % 2) == 1 &&
        !reply.empty())
        reply[0] = reply[0] == '0' ? '1' : '0';
    send(reply + ">", now, 2);
}

}  // namespace tw::sim
