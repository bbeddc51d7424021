#include "sim/compact/wla_radio_model.h"

#include "families/compact/crc8.h"

namespace tw::sim {

namespace {

constexpr std::size_t kIdentityMax = 20;
constexpr std::size_t kHeadSize = 8;  // two letters, count(2), address(4)
constexpr std::size_t kBlockSize = 64;
constexpr std::uint32_t kFirstBlock = 0x2000;
constexpr std::size_t kCodeReadSize = 64000;
constexpr std::size_t kCrcCovers = 0xF780;
constexpr Millis kAnswerMs = 2;
constexpr Millis kBlockStoreMs = 4;
constexpr Millis kCodeCrcPauseMs = 500;

}  // namespace

WlaRadioModel::WlaRadioModel(const ModelOptions& options)
    : code_(kCodeSize),
      forcedMode_(optionText(options, "mode", "")),
      type_(optionInt(options, "type", 30)),
      config_(optionInt(options, "config", 5)),
      idLength_(static_cast<std::size_t>(optionInt(options, "idlen", 20))),
      eraseMs_(optionInt(options, "erase-ms", 3000)),
      eraseSilent_(optionText(options, "erase", "") == "silent"),
      ngBlock_(optionInt(options, "ng", -1)),
      muteBlock_(optionInt(options, "mute", -1)),
      okExtraErase_(optionText(options, "ok-extra", "") == "erase"),
      okExtraBlock_(okExtraErase_ ? -1 : optionInt(options, "ok-extra", -1)),
      codeCrcBad_(optionText(options, "code-crc", "") == "bad"),
      codeShort_(optionInt(options, "code-short", -1)),
      refuseWrite_(options.count("refuse-write") != 0),
      stuckByte_(optionInt(options, "stuck", -1)),
      written_(kBlockCount, false) {
    if (idLength_ > kIdentityMax) idLength_ = kIdentityMax;
    // A boot loader below 0x2000 and a program above it, each easy to tell apart.
    for (std::size_t a = 0; a < kCodeSize; ++a)
        code_[a] = static_cast<std::uint8_t>(a < kBootEnd ? (a * 3 + 1) : (a * 7 + (a >> 8)));
    const std::uint8_t tracking[kRecordSize] = {120,  130, 140, 200,  210, 220,  14,
                                                15,   16,  17,  18,   19,  0xFE, 1,
                                                0xFD, 2,   3,   0xF7, 8,   0,    0xFF};
    for (std::size_t i = 0; i < kRecordSize; ++i) eeprom_[kTrackingAddress + i] = tracking[i];
}

void WlaRadioModel::onOpen(Millis /*now*/) {
    state_ = State::Asleep;
    dtrOn_ = true;
    command_.clear();
}

void WlaRadioModel::onDtr(bool on, Millis /*now*/) {
    dtrOn_ = on;
}

std::vector<std::uint8_t> WlaRadioModel::identity() const {
    std::vector<std::uint8_t> id(kIdentityMax, 0);
    id[0] = static_cast<std::uint8_t>(type_);
    id[1] = 0x01;
    id[2] = 0x07;
    id[3] = static_cast<std::uint8_t>(config_);
    id.resize(idLength_);
    return id;
}

std::uint32_t WlaRadioModel::commandAddress() const {
    std::uint32_t a = 0;
    for (std::size_t i = 4; i < 8; ++i) a = a << 8 | command_[i];
    return a;
}

std::size_t WlaRadioModel::commandCount() const {
    return static_cast<std::size_t>(command_[2] << 8 | command_[3]);
}

void WlaRadioModel::onByte(std::uint8_t byte, Millis now) {
    if (state_ == State::Asleep) {
        if (byte != 0x55) return;
        bool flash = !dtrOn_;
        if (forcedMode_ == "flash") flash = true;
        if (forcedMode_ == "programming") flash = false;
        // Half-written code cannot run: only the boot loader answers, and only in flash mode.
        if (erased_ && !flash) return;
        state_ = flash ? State::Flash : State::Programming;
        send(std::string(">") + (flash ? "F" : "G"), now, kAnswerMs);
        return;
    }
    if (command_.empty() && byte != (state_ == State::Flash ? 'F' : 'G')) return;
    command_.push_back(byte);
    if (state_ == State::Programming)
        runProgramming(now);
    else
        runFlash(now);
}

void WlaRadioModel::runProgramming(Millis now) {
    if (command_.size() < 2) return;
    const std::uint8_t op = command_[1];
    if (op == 'E') {
        command_.clear();
        const auto id = identity();
        send(id.data(), id.size(), now, kAnswerMs);
        return;
    }
    if (op != 'C' && op != 'D') {
        command_.clear();
        return;
    }
    if (command_.size() < kHeadSize) return;
    const std::size_t count = commandCount();
    const std::uint32_t address = commandAddress();
    if (op == 'C') {
        std::vector<std::uint8_t> reply;
        for (std::size_t i = 0; i < count; ++i) reply.push_back(eeprom_[(address + i) & 0xFF]);
        command_.clear();
        send(reply.data(), reply.size(), now, kAnswerMs);
        return;
    }
    if (command_.size() < kHeadSize + count) return;
    if (refuseWrite_) {
        command_.clear();
        send("NO", now, kAnswerMs);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = (address + i) & 0xFF;
        if (static_cast<int>(at) - static_cast<int>(kTrackingAddress) != stuckByte_)
            eeprom_[at] = command_[kHeadSize + i];
    }
    command_.clear();
    send("OK", now, kAnswerMs);
}

void WlaRadioModel::runFlash(Millis now) {
    if (command_.size() < 2) return;
    const std::uint8_t op = command_[1];
    if (op == 'E') {
        command_.clear();
        const auto id = identity();
        send(id.data(), id.size(), now, kAnswerMs);
    } else if (op == 'C') {
        command_.clear();
        ++erases_;
        for (std::size_t a = kBootEnd; a < kCodeSize; ++a) code_[a] = 0xFF;
        erased_ = true;
        written_.assign(kBlockCount, false);
        blocksWritten_ = 0;
        if (eraseSilent_) {
            eraseSilent_ = false;
            return;
        }
        send(okExtraErase_ ? "OK?" : "OK", now, eraseMs_);
        okExtraErase_ = false;
    } else if (op == 'A') {
        command_.clear();
        std::size_t count = kCodeReadSize;
        if (codeShort_ >= 0 && static_cast<std::size_t>(codeShort_) < count)
            count = static_cast<std::size_t>(codeShort_);
        send(code_.data(), count, now, kAnswerMs);
        if (count < kCodeReadSize) return;
        std::uint8_t crc = compact::crc8(code_.data(), kCrcCovers);
        if (codeCrcBad_) crc = static_cast<std::uint8_t>(crc ^ 0x5A);
        sendByte(crc, now, kCodeCrcPauseMs);
    } else if (op == 'D') {
        if (command_.size() == kHeadSize + kBlockSize + 1) answerBlock(now);
    } else {
        command_.clear();
    }
}

void WlaRadioModel::answerBlock(Millis now) {
    const std::uint32_t address = commandAddress();
    const std::uint8_t* data = command_.data() + kHeadSize;
    const std::uint8_t crc = command_[kHeadSize + kBlockSize];
    const bool aligned = address >= kFirstBlock && (address - kFirstBlock) % kBlockSize == 0 &&
                         (address - kFirstBlock) / kBlockSize < kBlockCount;
    const int block = aligned ? static_cast<int>((address - kFirstBlock) / kBlockSize) : -1;
    auto finish = [&](const char* answer) {
        command_.clear();
        if (answer) send(answer, now, kBlockStoreMs);
    };
    if (block >= 0 && block == muteBlock_) {
        muteBlock_ = -1;
        return finish(nullptr);
    }
    if ((block >= 0 && block == ngBlock_) || !aligned || compact::crc8(data, kBlockSize) != crc) {
        if (block == ngBlock_) ngBlock_ = -1;
        return finish("NG");
    }
    std::copy(data, data + kBlockSize, code_.begin() + address);
    if (!written_[static_cast<std::size_t>(block)]) {
        written_[static_cast<std::size_t>(block)] = true;
        if (++blocksWritten_ == static_cast<int>(kBlockCount)) erased_ = false;
    }
    if (block == okExtraBlock_) {
        okExtraBlock_ = -1;
        return finish("OK\r");
    }
    finish("OK");
}

}  // namespace tw::sim
