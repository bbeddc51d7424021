#include "sim/compact/compact_radio.h"

#include "sim/kvr/kvr_radio_model.h"

namespace tw::sim {

namespace {

// An address option in hexadecimal ("019A"); -1 when absent or unreadable.
int addressOption(const ModelOptions& options, const std::string& key) {
    const std::string text = optionText(options, key, "");
    if (text.empty() || text.size() > 4) return -1;
    int value = 0;
    for (char c : text) {
        const int d = radioHexDigit(static_cast<std::uint8_t>(c));
        if (d < 0) return -1;
        value = value * 16 + d;
    }
    return value;
}

struct Preset {
    std::uint16_t address;
    std::vector<std::uint8_t> bytes;
};

// Factory values of the 440-470 MHz band, as the radios hold them.
const std::vector<Preset> kWlbMemory = {
    {0x0120, {131, 38, 34}},
    {0x012D, {37, 33}},
    {0x013A, {54, 56, 56, 99, 102, 108}},
    {0x014D, {115}},
    {0x016A, {149, 149, 149, 255}},
    {0x018A, {252, 252, 4, 5}},
};
const std::vector<Preset> kMarten60pMemory = {
    {0x0120, {136, 102, 181}},      {0x012D, {112, 224}}, {0x013A, {104, 110, 114, 132, 137, 143}},
    {0x014A, {114, 112, 110, 132}}, {0x015D, {249}},
};

}  // namespace

CompactRadioModel::CompactRadioModel(const std::string& family, const ModelOptions& options)
    : wlb_(optionText(options, "kind", family) != "marten60p"),
      version_(optionText(options, "version", wlb_ ? "12" : "01")),
      stuck_(addressOption(options, "stuck")),
      nonHex_(addressOption(options, "nonhex")),
      short_(addressOption(options, "short")),
      needsBreak_(optionInt(options, "breaks", 0) != 0) {
    version_.resize(2, '0');
    for (const auto& p : wlb_ ? kWlbMemory : kMarten60pMemory)
        for (std::size_t i = 0; i < p.bytes.size(); ++i) memory_[p.address + i] = p.bytes[i];
    memory_[kBandAddress] = static_cast<std::uint8_t>(optionInt(options, "band", 3));
}

void CompactRadioModel::onOpen(Millis /*now*/) {
    armed_ = false;
    awake_ = false;
    command_.clear();
    writeChars_ = 0;
    writeData_.clear();
}

void CompactRadioModel::onBreak(int /*durationMs*/, Millis /*now*/) {
    armed_ = true;
}

bool CompactRadioModel::covers(int address, std::size_t count) const {
    return address >= 0 && static_cast<std::size_t>(address) >= writeAt_ &&
           static_cast<std::size_t>(address) < writeAt_ + count;
}

void CompactRadioModel::onByte(std::uint8_t byte, Millis now) {
    if (!awake_) {
        if (byte == 0x55 && (armed_ || !needsBreak_)) {
            awake_ = true;
            sendByte('>', now);
        }
        return;
    }
    if (writeChars_ > 0) {
        writeData_.push_back(static_cast<char>(byte));
        if (writeData_.size() == writeChars_) storeWrite();
        return;
    }
    if (command_.empty() && byte != 'G') return;
    command_.push_back(static_cast<char>(byte));
    if (command_.size() == 2 && (command_[1] == '2' || command_[1] == '9'))
        runCommand(now);
    else if (command_.size() == 2 && command_[1] != '1' && command_[1] != '4')
        command_.clear();
    else if (command_.size() == 8)
        runCommand(now);
}

void CompactRadioModel::storeWrite() {
    if (writeAt_ == kLoggedAddress) loggedWrites_.push_back(writeData_);
    for (std::size_t i = 0; 2 * i + 1 < writeData_.size(); ++i) {
        const std::size_t at = (writeAt_ + i) & 0xFFFF;
        if (static_cast<int>(at) == stuck_) continue;
        const int h = radioHexDigit(static_cast<std::uint8_t>(writeData_[2 * i]));
        const int l = radioHexDigit(static_cast<std::uint8_t>(writeData_[2 * i + 1]));
        memory_[at] = static_cast<std::uint8_t>((h < 0 ? 0 : h) * 16 + (l < 0 ? 0 : l));
    }
    writeChars_ = 0;
    writeData_.clear();
}

void CompactRadioModel::runCommand(Millis now) {
    const std::string cmd = command_;
    command_.clear();
    if (cmd == "G2") {
        send((wlb_ ? "21" : "1D") + version_, now);
        return;
    }
    if (cmd == "G9") {
        awake_ = false;
        armed_ = false;
        ++resets_;
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
    writeAt_ = address;
    if (cmd[1] == '1') {
        writeChars_ = 2 * static_cast<std::size_t>(count);
        if (writeChars_ == 0) storeWrite();
        return;
    }
    const auto n = static_cast<std::size_t>(count);
    std::string reply;
    for (std::size_t i = 0; i < n; ++i) reply += radioHexPair(memory_[(address + i) & 0xFFFF]);
    if (covers(nonHex_, n)) reply[2 * (static_cast<std::size_t>(nonHex_) - address)] = 'Z';
    if (covers(short_, n) && !reply.empty()) reply.pop_back();
    send(reply, now);
}

}  // namespace tw::sim
