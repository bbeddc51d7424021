// The 1200-baud link against a radio that answers anything: after each command (the wake,
// "G2", a block read) the radio sends the next piece of the input (its first byte gives the
// length). A read either shows only values 0 to 255 with no message, or fails and leaves
// every value field as it was; a write never passes a read-back that differs and never resets
// a radio it did not verify; neither waits beyond its bound in virtual time.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "link/serial_link.h"
#include "sim/radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace {

class ReplyModel : public tw::sim::RadioModel {
  public:
    ReplyModel(const std::uint8_t* data, std::size_t size) : data_(data, data + size) {}
    void onByte(std::uint8_t byte, tw::Millis now) override {
        command_.push_back(static_cast<char>(byte));
        const bool wake = command_ == "\x55";
        const bool shortCommand = command_ == "G2" || command_ == "G9";
        const bool block = command_.size() == 8 && command_[0] == 'G';
        if (command_ == "G9") ++resets;
        if (wake || shortCommand || block) {
            command_.clear();
            if (at_ < data_.size()) {
                const std::size_t n = data_[at_++] % 16;
                for (std::size_t i = 0; i < n && at_ < data_.size(); ++i)
                    sendByte(data_[at_++], now);
            }
        } else if (command_.size() > 8 || (command_.size() == 1 && byte != 'G')) {
            command_.clear();  // write data
        }
    }
    int resets = 0;

  private:
    std::vector<std::uint8_t> data_;
    std::size_t at_ = 0;
    std::string command_;
};

template <typename Page>
void run(const std::uint8_t* data, std::size_t size, bool write) {
    tw::ScriptedUi ui;
    tw::VirtualClock clock;
    tw::Profile profile(
        (std::filesystem::temp_directory_path() / ("tw_fuzz_reply_" + std::to_string(::getpid())))
            .string());
    profile.writeString("Comm Settings", "Port Number", "1");
    auto* model = new ReplyModel(data, size);
    tw::sim::SimDeviceFactory devices(std::unique_ptr<tw::sim::RadioModel>(model), clock);
    tw::SerialLink link(profile, devices, clock, ui);
    tw::AppState app;
    tw::Env env{ui, clock, profile, link, app};
    Page page(env);
    for (const auto& f : page.model().fields) page.controls().setText(f.control, "7");

    const bool ok = write ? page.WriteTrackingToRadio() : page.ReadTrackingFromRadio();
    // Connect, seven block reads (or six blocks, a zero write and six reads back), each read
    // bounded by the link's longest wait.
    if (clock.now() > 30'000) __builtin_trap();
    if (ui.statusOpen()) __builtin_trap();
    if (ok && !ui.messages().empty()) __builtin_trap();
    for (const auto& f : page.model().fields) {
        const std::string& t = page.controls().text(f.control);
        if (!ok && !write && t != "7") __builtin_trap();
        if (t.empty() || t.size() > 3 || std::stoi(t) > 255) __builtin_trap();
    }
    if (write && !ok && model->resets != 0) __builtin_trap();
    if (write && ok && model->resets != 1) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 512) return 0;
    run<tw::compact::CWlbPage>(data, size, false);
    run<tw::compact::CMarten60PPage>(data, size, false);
    run<tw::compact::CWlbPage>(data, size, true);
    return 0;
}
