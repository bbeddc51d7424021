#include "plugin/validation/type61_check.h"

#include <array>

#include "ui/ui.h"

namespace tw {
namespace {

enum Rule { kSuperGroup, kGroup, kIndividualCall, kQuickCall };

// Why a rule failed; the page-opening messages of the third tone set tell these apart.
enum class Failure { None, Flag, Tone };

struct ToneSet {
    int flag = 0;
    std::array<double, 4> tones{};
    bool absent(int t) const { return tones[t - 1] == 0.0; }
};

// The tone set a drop-down index selects: 0 for none, 1 to 3 otherwise. An index other
// than 1 or 2 means the third set; no selection at all (-1) counts as none.
int selectedSet(const PageControls& controls) {
    const int index = controls.selectedIndex(kToneSetList).value_or(-1);
    if (index <= 0) return 0;
    return index == 1 || index == 2 ? index : 3;
}

// Without the option every flag is 0 and every tone absent.
ToneSet toneSet(const CPersonality& personality, int set) {
    ToneSet s;
    if (const auto* opts = personality.GetOption<CType61Opts>()) {
        s.flag = opts->sets[set - 1].flag;
        s.tones = opts->sets[set - 1].tones;
    }
    return s;
}

Failure check(Rule rule, const ToneSet& s) {
    const bool f = s.flag != 0;
    switch (rule) {
        case kSuperGroup:
            if (f) return Failure::Flag;
            return s.absent(3) || s.absent(4) ? Failure::Tone : Failure::None;
        case kGroup:
            if (f) return s.absent(2) || s.absent(3) ? Failure::Flag : Failure::None;
            return s.absent(1) || s.absent(4) ? Failure::Tone : Failure::None;
        case kIndividualCall:
            return s.absent(1) || s.absent(2) ? Failure::Tone : Failure::None;
        case kQuickCall:
            return s.flag != 1 || s.absent(2) ? Failure::Tone : Failure::None;
    }
    return Failure::None;
}

bool boxChecked(const PageControls& controls, int box) {
    return controls.checked(box).value_or(false);
}

// Which box triggers which rule differs between the two callers; each keeps its own
// mapping because the box labels belong to the host.
constexpr std::array<Rule, 4> kFieldRules{kSuperGroup, kGroup, kIndividualCall, kQuickCall};
constexpr std::array<Rule, 4> kChannelRules{kSuperGroup, kGroup, kQuickCall, kIndividualCall};
constexpr std::array<int, 4> kBoxes{kT61Box1, kT61Box2, kT61Box3, kT61Box4};

const char* fieldMessage(Rule rule) {
    switch (rule) {
        case kSuperGroup:
            return "This conventional channel has a T61 Options incompatibility with T61 Super "
                   "Group";
        case kGroup:
            return "This conventional channel has a T61 Options incompatibility with T61 Group";
        case kIndividualCall:
            return "This conventional channel has a T61 Options incompatibility with T61 "
                   "Individual Call";
        case kQuickCall:
            return "This conventional channel has a T61 Options incompatibility with T61 Quick "
                   "Call";
    }
    return "";
}

// The page-opening texts, which differ per tone set (blanks as the radio's tools show them).
const char* initMessage(int set, Rule rule, Failure why) {
    static constexpr const char* kSet1[] = {
        "This conventional channel has a T61 options incompatibility with T61 Super group",
        "This conventional channel has a T61 options incompatibility with T61  group",
        "This conventional channel has a T61 options incompatibility with T61  Individual Call",
        "This conventional channel has a T61 options incompatibility with T61  Quick Call"};
    static constexpr const char* kSet2[] = {
        "This conventional channel has a T61 options incompatibility with T61  Super Group",
        "This conventional channel has a T61 options incompatibility with T61  Group",
        "This conventional channel has a T61 options incompatibility with T61  Individual Call ",
        "This conventional channel has a T61 options incompatibility with T61  Quick Call "};
    if (set == 1) return kSet1[rule];
    if (set == 2) return kSet2[rule];
    switch (rule) {
        case kSuperGroup:
            return why == Failure::Flag ? "This conventional channel has a T61 options "
                                          "incompatibility with T61 Super Group "
                                        : "This conventional channel has a T61 options "
                                          "incompatibility with T61  Super Group ";
        case kGroup:
            return why == Failure::Flag ? "This conventional channel has a T61 options "
                                          "incompatibility with T61  Group "
                                        : "This conventional channel has a T61 options "
                                          "incompatibility with T61 Group ";
        case kIndividualCall:
            return "This conventional channel has a T61 options incompatibility with T61 "
                   "Individual Call ";
        case kQuickCall:
            return "This conventional channel has a T61 options incompatibility with T61 Quick "
                   "Call ";
    }
    return "";
}

}  // namespace

int t61ValidateField(PageControls& controls, const CPersonality& personality, Ui& ui) {
    const int set = selectedSet(controls);
    if (set == 0) return 0;
    const ToneSet s = toneSet(personality, set);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        if (!boxChecked(controls, kBoxes[i])) continue;
        if (check(kFieldRules[i], s) != Failure::None) {
            ui.message(fieldMessage(kFieldRules[i]));
            return 2;
        }
    }
    return 1;
}

int t61ValidateConvChannel(const CPersonality& personality, const PageControls& controls) {
    const int set = selectedSet(controls);
    if (set == 0) return 1;
    bool any = false;
    for (int box : kBoxes) any = any || boxChecked(controls, box);
    if (!any) return 0;
    const ToneSet s = toneSet(personality, set);
    // Rules run in their fixed order, whichever box carries them.
    for (Rule rule : {kSuperGroup, kGroup, kIndividualCall, kQuickCall}) {
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            if (kChannelRules[i] != rule || !boxChecked(controls, kBoxes[i])) continue;
            if (check(rule, s) != Failure::None) return 2;
        }
    }
    return 1;
}

void t61InitControl(PageControls& controls, const CPersonality& personality, Ui& ui) {
    const int index = controls.selectedIndex(kToneSetList).value_or(-1);
    const int set = selectedSet(controls);
    bool shown = false;
    if (set != 0) {
        const ToneSet s = toneSet(personality, set);
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            if (!boxChecked(controls, kBoxes[i])) continue;
            const Failure why = check(kFieldRules[i], s);
            if (why == Failure::None) continue;
            ui.message(initMessage(set, kFieldRules[i], why));
            shown = true;
            if (kFieldRules[i] == kQuickCall) return;
        }
    }
    if (shown || index < 0) return;
    // Without the option the enable choice takes the flag as set.
    const auto* opts = personality.GetOption<CType61Opts>();
    const int flagSet = set == 0 ? 1 : set;
    const bool flag = opts == nullptr || opts->sets[flagSet - 1].flag != 0;
    controls.enable(kT61Box1, !flag);
    controls.enable(kT61Box3, flag);
}

}  // namespace tw
