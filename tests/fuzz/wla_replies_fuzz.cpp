// The WLA page against a radio that answers anything: the input's first byte picks the
// operation, the rest is what the radio sends. Whatever comes, a failed operation shows no
// success, an identity is shown only when its checks passed, the port and status window end
// closed, and no operation waits beyond its bound in virtual time.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/srecord.h"
#include "families/compact/wla_page.h"
#include "link/serial_link.h"
#include "sim/radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

using namespace tw;

namespace {

// Sends the scripted bytes a few at a time, each time the PC has sent something.
class ReplyingRadio : public sim::RadioModel {
  public:
    explicit ReplyingRadio(std::vector<std::uint8_t> replies) : replies_(std::move(replies)) {}
    void onByte(std::uint8_t byte, Millis now) override {
        if (next_ >= replies_.size()) return;
        const std::size_t n = 1 + byte % 4;
        const std::size_t end = std::min(replies_.size(), next_ + n);
        send(replies_.data() + next_, end - next_, now, 1);
        next_ = end;
    }

  private:
    std::vector<std::uint8_t> replies_;
    std::size_t next_ = 0;
};

const std::string& workDir() {
    static const std::string dir = [] {
        std::string d = "/tmp/wla_replies_fuzz_" + std::to_string(::getpid());
        ::mkdir(d.c_str(), 0700);
        std::string mot;
        for (int r = 0; r < 50; ++r) mot += "S1132000000102030405060708090A0B0C0D0E0F54\n";
        std::ofstream(d + "/code.mot") << mot;
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string& dir = workDir();
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile(dir + "/novac4.ini");
    profile.writeString("Comm Settings", "Port Number", "1");
    sim::SimDeviceFactory devices(
        std::make_unique<ReplyingRadio>(std::vector<std::uint8_t>(data + 1, data + size)), clock);
    SerialLink link(profile, devices, clock, ui);
    AppState app;
    Env env{ui, clock, profile, link, app};
    compact::CWlaPage page(env);
    const std::string out = dir + "/out.mot";
    ::unlink(out.c_str());

    bool ok = false;
    Millis bound = 0;
    const char* success = nullptr;
    switch (data[0] % 4) {
        case 0:
            ok = page.ReadTrackingFromRadio();
            bound = 10'000;
            break;
        case 1:
            page.controls().setText(1006, "5");
            ok = page.WriteTrackingToRadio();
            bound = 12'000;
            break;
        case 2:
            ok = page.writeCodeTo(out);
            bound = 90'000;
            success = "Radio Code written to file successfully";
            break;
        default:
            ok = page.reflashFrom(dir + "/code.mot");
            // 300 erase polls and 862 blocks of 20 polls, each poll a full empty read.
            bound = 700'000 + 862 * 22'000;
            break;
    }
    if (clock.now() > bound) __builtin_trap();
    if (ui.statusOpen() || ui.busyDepth() != 0 || link.isOpen(1)) __builtin_trap();
    const auto shown = ui.messages();
    for (const auto& m : shown)
        if (success && m == success && !ok) __builtin_trap();
    if (!ok && success && ::access(out.c_str(), F_OK) == 0) __builtin_trap();
    const std::string power = page.controls().text(compact::CWlaPage::kMaxPower);
    if (!power.empty() && page.bandText().empty()) __builtin_trap();
    return 0;
}
