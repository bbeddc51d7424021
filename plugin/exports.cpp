// The plug-in's exported functions. Everything else in the library stays hidden.
#include <array>
#include <optional>
#include <string>

#include "adapters/posix_serial_device.h"
#include "clock/clock.h"
#include "host_objects.h"
#include "host_transfer.h"
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
    plugin::HostChoices choices;
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

// The serial side of one transfer: port 1 by the usual rule, the host's device first. Only
// a radio transfer (`work` set) touches the port.
TransferOutcome runTransfer(std::optional<RadioWork> work, const plugin::TransferFlow& flow) {
    PluginState& s = state();
    PosixSerialDeviceFactory devices;
    SteadyClock clock;
    return plugin::runHostTransfer(s.hostOrNull(), s.choices, devices, clock, work, flow);
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
    const auto work = fromRadio ? std::optional(RadioWork::Read) : std::nullopt;
    state().lastOutcome = runTransfer(work, [&](Env& env, const TransferSettings& settings) {
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
    const auto work = toRadio ? std::optional(RadioWork::Write) : std::nullopt;
    state().lastOutcome = runTransfer(work, [&](Env& env, const TransferSettings& settings) {
        return tw::WritePers(env, settings, *personality, idOverride, toRadio != 0, file, d);
    });
    return 1;
}

TW_EXPORT void TwSetHost(const TwHost* host) {
    PluginState& s = state();
    s.hasHost = host != nullptr;
    s.host = plugin::copyHostObject(host);
    s.choices = {text(s.host.device), text(s.host.profile), text(s.host.dumpFolder)};
    s.host.device = s.choices.device.c_str();
    s.host.profile = s.choices.profile.c_str();
    s.host.dumpFolder = s.choices.dumpFolder.c_str();
}

static_assert(static_cast<int>(TransferOutcome::Done) == TW_OUTCOME_DONE &&
              static_cast<int>(TransferOutcome::Failed) == TW_OUTCOME_FAILED &&
              static_cast<int>(TransferOutcome::Refused) == TW_OUTCOME_REFUSED &&
              static_cast<int>(TransferOutcome::Cancelled) == TW_OUTCOME_CANCELLED);

TW_EXPORT int TwLastOutcome(void) {
    return static_cast<int>(state().lastOutcome);
}
