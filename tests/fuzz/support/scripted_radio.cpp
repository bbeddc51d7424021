#include "scripted_radio.h"

#include <filesystem>
#include <fstream>

namespace tw::fuzz {

void ScriptedRadio::answer(Millis now) {
    bool more = true;
    while (more && at_ < script_.size()) {
        const std::uint8_t control = script_[at_++];
        more = (control & 0x80) != 0;
        std::size_t count = control & 0x7F;
        count = std::min(count, script_.size() - at_);
        send(script_.data() + at_, count, now);
        at_ += count;
    }
}

void ScriptedRadio::onByte(std::uint8_t byte, Millis now) {
    (void)byte;
    answer(now);
}

void ScriptedRadio::onBreak(int durationMs, Millis now) {
    (void)durationMs;
    answer(now);
}

void RecordingRadio::take() {
    // The inner radio queued its answer to this moment: pass it on and note it, at most 127
    // bytes per control byte.
    std::vector<std::uint8_t> bytes;
    for (auto& p : inner_->output()) bytes.push_back(p.byte);
    for (auto& p : inner_->output()) output().push_back(p);
    inner_->output().clear();
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(127, bytes.size() - at);
        const bool more = at + n < bytes.size();
        script_->push_back(static_cast<std::uint8_t>(n | (more ? 0x80 : 0)));
        script_->insert(script_->end(), bytes.begin() + static_cast<long>(at),
                        bytes.begin() + static_cast<long>(at + n));
        at += n;
    } while (at < bytes.size());
}

void RecordingRadio::onOpen(Millis now) {
    inner_->onOpen(now);
    inner_->output().clear();
}

void RecordingRadio::onByte(std::uint8_t byte, Millis now) {
    inner_->onByte(byte, now);
    take();
}

void RecordingRadio::onBreak(int durationMs, Millis now) {
    inner_->onBreak(durationMs, now);
    take();
}

void writeSeed(const std::string& folder, const std::string& name,
               const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream out(std::filesystem::path(folder) / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tw::fuzz
