// The test link's connect, battery read and resync against a radio whose every reply comes
// from the fuzzer's bytes (replies separated by 0xFF; a missing reply is silence). Whatever
// the radio says: no wait beyond the link's bounds in virtual time, facts only from the values
// the link knows, a connect that succeeds only on a test-mode reply, and a battery level that
// is a level or a failure.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/profile.h"
#include "link/serial_link.h"
#include "sim/radio_model.h"
#include "sim/sim_device.h"
#include "testtune/hdt_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using namespace tw;

void check(bool property) {
    if (!property) __builtin_trap();
}

// Answers each carriage-return-ended line with the next scripted reply.
class ScriptedInterpreter : public sim::RadioModel {
  public:
    explicit ScriptedInterpreter(std::vector<std::string> replies) : replies_(std::move(replies)) {}
    void onByte(std::uint8_t byte, Millis now) override {
        if (byte != '\r') return;
        if (next_ < replies_.size()) send(replies_[next_], now);
        ++next_;
    }

  private:
    std::vector<std::string> replies_;
    std::size_t next_ = 0;
};

bool knownType(std::uint8_t t) {
    if (t == 0) return true;
    for (std::uint8_t code : testtune::kTestRadioTypes)
        if (code == t) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> replies(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF)
            replies.emplace_back();
        else
            replies.back() += static_cast<char>(data[i]);
    }
    VirtualClock clock;
    ScriptedUi ui;
    Profile profile(std::filesystem::temp_directory_path() / "tw_hdt_link_fuzz_none.ini");
    sim::SimDeviceFactory devices(std::make_unique<ScriptedInterpreter>(replies), clock);
    SerialLink link(profile, devices, clock, ui);
    link.ports().setRunDevice("sim");
    AppState state;
    Env env{ui, clock, profile, link, state};
    testtune::CHdtLink hdt(env);

    // Every transaction ends within its pause and read wait (the first-byte wait, then the
    // quiet gap once bytes came); a drain within its own bound.
    const LinkTiming timing;
    const Millis transaction = 20 + timing.firstByteWaitMs + timing.quietGapMs + 100;
    const Millis drain = testtune::CHdtLink::kDrainMaxMs + timing.charWaitMs + 100;

    Millis start = clock.now();
    const bool connected = hdt.Connect();
    check(clock.now() - start <= 7 * transaction + 2 * drain + testtune::CHdtLink::kPromptRetryMs);
    if (connected) check(hdt.reply().text().find("est") != std::string_view::npos);
    check(connected || !ui.messages().empty());
    const auto& f = hdt.facts();
    check(f.band == 0 || f.band == testtune::kBand800 || f.band == testtune::kBand900);
    check(knownType(f.radioType));

    start = clock.now();
    const int battery = hdt.ReadBattery();
    check(battery >= -2 && battery <= 999);
    check(clock.now() - start <= 2 * transaction + drain);

    start = clock.now();
    hdt.Resync();
    check(clock.now() - start <= 6 * transaction + drain + testtune::CHdtLink::kResyncRetryMs);
    check(knownType(hdt.facts().radioType));
    return 0;
}
