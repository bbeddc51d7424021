// The plug-in's exported functions. Everything else in the library stays hidden.
#include <array>
#include <optional>
#include <string>

#include "adapters/posix_serial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "host_objects.h"
#include "link/serial_link.h"
#include "plugin/catalogue/page_catalogue.h"
#include "plugin/store/personality.h"
#include "plugin/transfer/personality_transfer.h"
#include "plugin/validation/validate_field.h"
#include "tunewright_plugin.h"
#include "view/env.h"

#define TW_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace tw;

// What the plug-in keeps for the life of the process.
struct PluginState {
    std::optional<std::uint16_t> radioType;  // set only by an accepted IsTransForID
    bool hasHost = false;
    TwHost host{};
    std::string device, profile, dumpFolder;
    TransferOutcome lastOutcome = TransferOutcome::Failed;

    const TwHost* hostOrNull() const { return hasHost ? &host : nullptr; }
};

PluginState& state() {
    static PluginState s;
    return s;
}

std::string text(const char* s) {
    return s ? std::string(s) : std::string();
}

// The serial side of one transfer: port 1 by the usual rule, the host's device first.
template <class Flow>
TransferOutcome runTransfer(Flow flow) {
    PluginState& s = state();
    plugin::HostUi ui(s.hostOrNull());
    Profile profile(s.profile.empty() ? Profile::defaultPath() : s.profile);
    PosixSerialDeviceFactory devices;
    SteadyClock clock;
    SerialLink link(profile, devices, clock, ui);
    if (!s.device.empty()) link.ports().setRunDevice(s.device);
    AppState app;
    app.currentPort = 1;
    Env env{ui, clock, profile, link, app};
    TransferSettings settings;
    settings.dumpFolder = s.dumpFolder;
    return flow(env, settings);
}

RadioDescription descriptionOf(const std::uint8_t* d) {
    return {d[0], d[1], d[2], d[3], d[4]};
}

}  // namespace

TW_EXPORT int AddTabs(TwDwordArray* array) {
    if (!array || !array->setSize || !array->setAt) return 1;
    array->setSize(array->context, static_cast<unsigned>(kPageTabs.size()));
    for (unsigned i = 0; i < kPageTabs.size(); ++i) array->setAt(array->context, i, kPageTabs[i]);
    return 1;
}

TW_EXPORT int AddDlgs(unsigned tab, TwListBox* listBox) {
    if (!listBox || !listBox->addString || !listBox->setItemData) return 1;
    for (const PageEntry& page : pagesOfTab(tab, state().radioType.value_or(0))) {
        const int index = listBox->addString(listBox->context, page.title);
        if (index >= 0)
            listBox->setItemData(listBox->context, index, static_cast<std::uint32_t>(page.dialog));
    }
    return 1;
}

TW_EXPORT int IsTransForID(std::uint16_t radioType) {
    if (!isServedRadioType(radioType)) return 0;
    state().radioType = radioType;
    return 1;
}

TW_EXPORT std::uint32_t GetControlTrap(std::int32_t dialog, std::int32_t control) {
    return controlTrap(dialog, control, state().radioType.value_or(0));
}

TW_EXPORT int InitControl(std::int32_t dialog, std::int32_t control, TwControl* window,
                          TwControlList* controls, TwPersonality* personality) {
    if (!window || !controls || !personality) return 0;
    plugin::HostControls page(controls, window);
    plugin::HostUi ui(state().hostOrNull());
    return tw::InitControl(dialog, control, page, *personality, ui);
}

TW_EXPORT int ValidateField(std::int32_t dialog, std::int32_t control, TwControlList* controls,
                            TwPersonality* personality) {
    if (!controls || !personality) return kFieldNotMine;
    plugin::HostControls page(controls);
    plugin::HostUi ui(state().hostOrNull());
    return tw::ValidateField(dialog, control, page, *personality, ui);
}

TW_EXPORT int GetRange(std::int32_t dialog, std::int32_t control, double* minimum, double* maximum,
                       double* increment) {
    if (!minimum || !maximum || !increment) return 0;
    return tw::GetRange(dialog, control, minimum, maximum, increment) ? 1 : 0;
}

TW_EXPORT int ValidateConvChannel(TwPersonality* personality, TwControlList* dialog) {
    if (!personality || !dialog) return kFieldNotMine;
    const plugin::HostControls page(dialog);
    return tw::ValidateConvChannel(*personality, page);
}

// Both transfers return 1 whatever happens, as hosts expect; TwLastOutcome tells the truth.
TW_EXPORT int ReadPers(TwPersonality* personality, int fromRadio, const char* path,
                       const std::uint8_t* description) {
    if (!personality || (!fromRadio && (!path || !description))) {
        state().lastOutcome = TransferOutcome::Refused;
        return 1;
    }
    const std::string file = text(path);
    const RadioDescription d = description ? descriptionOf(description) : RadioDescription{};
    state().lastOutcome = runTransfer([&](Env& env, const TransferSettings& settings) {
        return tw::ReadPers(env, settings, *personality, fromRadio != 0, file, d);
    });
    return 1;
}

TW_EXPORT int WritePers(TwPersonality* personality, unsigned idOverride, int toRadio,
                        const char* path, const std::uint8_t* description) {
    if (!personality || (!toRadio && (!path || !description))) {
        state().lastOutcome = TransferOutcome::Refused;
        return 1;
    }
    const std::string file = text(path);
    const RadioDescription d = description ? descriptionOf(description) : RadioDescription{};
    state().lastOutcome = runTransfer([&](Env& env, const TransferSettings& settings) {
        return tw::WritePers(env, settings, *personality, idOverride, toRadio != 0, file, d);
    });
    return 1;
}

TW_EXPORT void TwSetHost(const TwHost* host) {
    PluginState& s = state();
    s.hasHost = host != nullptr;
    s.host = host ? *host : TwHost{};
    s.device = host ? text(host->device) : std::string();
    s.profile = host ? text(host->profile) : std::string();
    s.dumpFolder = host ? text(host->dumpFolder) : std::string();
    s.host.device = s.device.c_str();
    s.host.profile = s.profile.c_str();
    s.host.dumpFolder = s.dumpFolder.c_str();
}

TW_EXPORT int TwLastOutcome(void) {
    return static_cast<int>(state().lastOutcome);
}
