#pragma once

// Every member of the personality's objects, listed once as a template over a visitor:
// FieldWriter and FieldReader (json_fields.h) make and check the JSON form, FieldDescriber
// the description lines a deep comparison reads. Adding a member is one row here. The
// numbers' ranges are what the image can hold, so every personality read from a radio can
// be saved and loaded again, and the encoder's own checks still judge what a radio accepts.

#include <initializer_list>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

#include "plugin/store/field_describer.h"
#include "plugin/store/json_fields.h"
#include "plugin/store/options.h"
#include "plugin/store/sets.h"
#include "plugin/store/systems.h"

namespace tw::members {

using json::FieldReader;
using json::FieldWriter;
using json::Key;

inline const char* systemKindName(SystemKind kind) {
    switch (kind) {
        case SystemKind::Conventional:
            return "conventional";
        case SystemKind::Trunked:
            return "trunked";
        case SystemKind::Telpage:
            return "telpage";
    }
    return "?";
}

// Beyond any grid: decoding keeps a frequency off its band (even below zero) for validation
// to flag, so only the band limits must be positive.
inline constexpr double kMaxMHz = 1e6;
inline constexpr double kMaxFraction = 1e6;
inline constexpr std::size_t kMaxItems = 4096;
inline constexpr long long kU8 = 0xFF, kU16 = 0xFFFF;

// Plain values of a list: each element is member "" of the visitor.
template <class V, class T>
void integers(V& v, Key key, T& list, long long lo, long long hi, std::size_t max = 0) {
    v.list(key, list, max, [&](auto& e, auto& x) { e.integer("", x, lo, hi); });
}
template <class V, class T>
void flagList(V& v, Key key, T& list) {
    v.list(key, list, 0, [](auto& e, bool& x) { e.flag("", x); });
}
template <class V, class T>
void reals(V& v, Key key, T& list, double lo, double hi) {
    v.list(key, list, 0, [&](auto& e, double& x) { e.real("", x, lo, hi); });
}
template <class V, class T>
void texts(V& v, Key key, T& list, std::size_t max = 0, Joint = Joint::Lines) {
    v.list(key, list, max, [](auto& e, std::string& x) { e.text("", x); });
}
// Flags that JSON holds as members of their own and the description as one line.
template <class V>
void flagRun(V& v, const char*, std::initializer_list<std::pair<const char*, bool*>> flags) {
    for (const auto& [key, flag] : flags) v.flag(key, *flag);
}

template <class V>
void fields(V& v, CGroup& g) {
    v.text("name", g.name);
    v.integer("id", g.id, 0, 0x7FF);
    v.flag("flagA", g.flagA);
    v.flag("flagB", g.flagB);
    v.integer("value3", g.value3, 0, 7);
    v.integer("steps", g.steps, 0, 15);
    v.flag("flagC", g.flagC);
    flagList(v, "inverted", g.inverted);
}

template <class V>
void fields(V& v, CTrunkChannel& ch) {
    v.real("first", ch.first, -kMaxMHz, kMaxMHz);
    v.real("second", ch.second, -kMaxMHz, kMaxMHz);
    v.integer("mode", ch.mode, 0, 2);
    v.flag("upper", ch.upper);
    v.flag("fine", ch.fine);
}

template <class V>
void fields(V& v, CConvChannel& ch) {
    v.text("name", ch.name);
    v.real("rx", ch.rxFreq, -kMaxMHz, kMaxMHz);
    v.real("tx", ch.txFreq, -kMaxMHz, kMaxMHz);
    v.flag("hasTx", ch.hasTx);
    v.flag("upper", ch.upper);
    v.flag("fineRx", ch.fineRx);
    v.flag("fineTx", ch.fineTx);
    flagRun(v, "flags",
            {{"flag7", &ch.flag7},
             {"flag5", &ch.flag5},
             {"flag43", &ch.flag43},
             {"specialMode", &ch.specialMode},
             {"flag14", &ch.flag14}});
    integers(v, "extension", ch.extension, 0, kU8);
    v.text("rxTg", ch.rxTg);
    v.text("txTg", ch.txTg);
}

template <class V>
void fields(V& v, CSpCall& c) {
    v.text("name", c.name);
    v.integer("type", c.type, 0, 3);
    v.flag("flag", c.flag);
    v.integer("kindCode", c.kindCode, 0, 7);
    v.text("number", c.number);
}

template <class V>
void fields(V& v, CTpgSpCall& c) {
    v.text("name", c.name);
    v.text("number", c.number);
}

template <class V>
void fields(V& v, CTpgGroup& g) {
    v.text("name", g.name);
    flagList(v, "flags", g.flags);
    integers(v, {"codeSlots", "slot"}, g.codeSlots, 0, kU16);
}

template <class V>
void fields(V& v, CTrunkSet& s) {
    v.flag("flag", s.flag);
    v.integer("steps", s.steps, 0, 15);
    reals(v, {"bandLimits", "bandLimit"}, s.bandLimits, 0, kMaxMHz);
    v.objects({"channels", "channel"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CConvSet& s) {
    v.text("home", s.home);
    v.text("priority1", s.priority1);
    v.text("priority2", s.priority2);
    v.text("wideScan", s.wideScan);
    v.objects({"channels", "channel"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CGroupSet& s) {
    v.text("home", s.home);
    v.text("priority1", s.priority1);
    v.text("priority2", s.priority2);
    v.objects({"groups", "group"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CSpCallSet& s) {
    v.integer("value1", s.value1, 0, 0x3FFF);
    v.integer("value2", s.value2, 0, 0x3FFF);
    v.objects({"calls", "call"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CTpgGroupSet& s) {
    v.objects({"groups", "group"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CTpgSpCallSet& s) {
    v.objects({"calls", "call"}, s.items, kMaxItems, [](auto& e, auto& x) { fields(e, x); });
}

template <class V>
void fields(V& v, CConvSystem& s) {
    std::string set = s.GetConvSetName();
    v.text("convSet", set);
    s.SetConvSetName(set);
}

template <class V>
void fields(V& v, CTrunkSystem& s) {
    v.text("trunkSet", s.trunkSet);
    v.text("groupSet", s.groupSet);
    v.text("spCallSet", s.spCallSet);
    v.integer("value6", s.value6, 0, 0x3F);
    v.integer("value14", s.value14, 0, 0x3FFF);
    v.flag("flagA", s.flagA);
    v.flag("flagB", s.flagB);
    v.integer("value5", s.value5, 0, 0x1F);
    v.integer("value3", s.value3, 0, 7);
    v.flag("flag", s.flag);
    v.integer("scanMode", s.scanMode, 0, kPairScanMode);
    v.text("prioritySystem", s.prioritySystem);
    texts(v, "scanPair", s.scanPair, 0, Joint::Between);
    texts(v, {"scannedSystems", "scanned"}, s.scannedSystems, kMaxItems, Joint::After);
}

template <class V>
void fields(V& v, CTpgSystem& s) {
    v.text("trunkSet", s.trunkSet);
    v.text("groupSet", s.groupSet);
    v.text("spCallSet", s.spCallSet);
    flagList(v, "flags", s.flags);
    v.integer("value2", s.value2, 0, 3);
    v.integer("offset", s.offset, -5, 26);
    integers(v, {"codeSlots", "slot"}, s.codeSlots, 0, kU16);
}

// Options. The classes the image holds nothing of have no members.
template <class T>
constexpr bool kPlainOption =
    std::is_same_v<T, CAlarmOpts> || std::is_same_v<T, CAlertOpts> ||
    std::is_same_v<T, CConvScanOpts> || std::is_same_v<T, CDataOpts> ||
    std::is_same_v<T, CDisplayOpts> || std::is_same_v<T, CExtSpkrOpts> ||
    std::is_same_v<T, CKeypadCtrlOpts> || std::is_same_v<T, CPubAddOpts> ||
    std::is_same_v<T, CSupervisoryOpts> || std::is_same_v<T, CTimerOpts>;
template <class V, class T>
requires kPlainOption<T>
void fields(V&, T&) {}

template <class V>
void fields(V& v, CDTMFOpts& o) {
    reals(v, "fractions", o.fractions, -kMaxFraction, kMaxFraction);
}
template <class V>
void fields(V& v, CNavlocOpts& o) {
    v.real({"fraction", "1197"}, o.fraction, -kMaxFraction, kMaxFraction);
}
template <class V>
void fields(V& v, CClearvoxOpts& o) {
    v.real({"fraction", "1910"}, o.fraction, -kMaxFraction, kMaxFraction);
}
template <class V>
void fields(V& v, CScanOpts& o) {
    v.real({"fraction", "1077"}, o.fraction, -kMaxFraction, kMaxFraction);
}
template <class V>
void fields(V& v, CSystemScanOpts& o) {
    v.integer("value", o.value, 0, 15);
}
template <class V>
void fields(V& v, CPowerUpOpts& o) {
    v.flag("flag", o.flag);
    v.text("system", o.system);
    v.text("group", o.group);
}
template <class V>
void fields(V& v, CGenRadioOpts& o) {
    v.text("homeSystem", o.homeSystem);
    std::string callback = o.GetCallbackMessage();
    v.text({"callbackMessage", "callback"}, callback);
    o.SetCallbackMessage(callback);
}
template <class V>
void fields(V& v, CAgencyData& o) {
    integers(v, "fleets", o.fleets, 0, 0x8000, kMaxItems);
}
template <class V>
void fields(V& v, CTelpageOpts& o) {
    v.flag("tonesPresent", o.tonesPresent);
    v.flag("phonesPresent", o.phonesPresent);
    v.objects("tones", o.tones, 0,
              [](auto& e, CTones& t) { integers(e, "bytes", t.bytes, 0, kU8); });
    texts(v, "phones", o.phones);
}
template <class V>
void fields(V& v, CScratchPadOpts& o) {
    v.flag("idsPresent", o.idsPresent);
    v.flag("phonesPresent", o.phonesPresent);
    integers(v, {"ids", "id"}, o.ids, 0, kU16);
    texts(v, {"phones", "phone"}, o.phones);
}
template <class V>
void fields(V& v, CKeypadCtrlOpts_N2& o) {
    v.text("lockSequence", o.lockSequence);
}
template <class V>
void fields(V& v, CTrvMenu& o) {
    integers(v, "menus", o.menus, 0, kU8, kMaxItems);
}
template <class V>
void fields(V& v, CTrwFlexKeys& o) {
    v.objects("keys", o.keys, 0, [](auto& e, CFlexKeys& k) {
        e.integer("kind", k.kind, 0, 3);
        e.integer("function", k.function, 0, kU8);
        e.text("digits", k.digits);
        e.integer("value", k.value, 0, kU8);
        e.text("name", k.name);
    });
}
template <class V>
void fields(V& v, CDualsetOpts& o) {
    v.integer("value", o.value, 0, kU16);
}
template <class V>
void fields(V& v, CRciKeypad& o) {
    integers(v, {"keypad", "key"}, o.keypad, 0, kU8);
}
template <class V>
void fields(V& v, CRciSystemGroup& o) {
    v.objects("entries", o.entries, kMaxItems, [](auto& e, CRciSysGrp& x) {
        e.text("system", x.system);
        e.text("group", x.group);
    });
}
template <class V>
void fields(V& v, CType61Opts& o) {
    v.objects("sets", o.sets, 0, [](auto& e, CT61& s) {
        e.integer("flag", s.flag, 0, kU8);
        reals(e, "tones", s.tones, 0, 1e5);
    });
}
template <class V>
void fields(V& v, CVsOpts& o) {
    v.bytes("data", o.data, 255);
}
template <class V>
void statusItems(V& v, std::vector<CStatusMessage>& items) {
    v.objects("items", items, kMaxItems, [](auto& e, CStatusMessage& m) {
        e.integer("number", m.number, 0, kU8);
        e.text("name", m.name);
    });
}
template <class V>
void fields(V& v, CStatus& o) {
    statusItems(v, o.items);
}
template <class V>
void fields(V& v, CMessage& o) {
    statusItems(v, o.items);
}
// Section numbers are the keys; each holds the section's bytes.
inline void sectionsOf(FieldWriter& v, std::map<int, std::vector<std::uint8_t>>& sections) {
    for (auto& [number, bytes] : sections) v.bytes(std::to_string(number).c_str(), bytes, 0);
}
inline void sectionsOf(FieldReader& v, std::map<int, std::vector<std::uint8_t>>& sections) {
    sections.clear();
    for (const std::string& key : v.keys()) {
        int number = -1;
        if (!key.empty() && key.size() <= 3 && key.find_first_not_of("0123456789") == key.npos &&
            (key.size() == 1 || key[0] != '0'))
            number = std::stoi(key);
        if (number < 0 || number > 255)
            return v.fail(v.at(key), "expected a section number (0 to 255)");
        v.bytes(key.c_str(), sections[number], 0x10000);
    }
}

template <class V>
void fields(V& v, CImageExtras& o) {
    v.flag("hasVersion", o.hasVersion);
    v.integer("versionMajor", o.versionMajor, 0, kU8);
    v.integer("versionMinor", o.versionMinor, 0, kU8);
    v.bytes("header", o.header, 0x10000);
    v.object("sections", [&](auto& s) { sectionsOf(s, o.sections); });
}

}  // namespace tw::members
