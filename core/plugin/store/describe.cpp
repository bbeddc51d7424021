// What each store object shows in a deep comparison.
#include "plugin/store/options.h"
#include "plugin/store/sets.h"
#include "plugin/store/systems.h"

namespace tw {
namespace {

template <std::size_t N>
void addFlags(FieldList& out, const char* name, const std::array<bool, N>& flags) {
    std::string s;
    for (bool f : flags) s += f ? '1' : '0';
    out.add(name, s);
}

template <class T, std::size_t N>
void addNumbers(FieldList& out, const char* name, const std::array<T, N>& values) {
    for (std::size_t i = 0; i < N; ++i)
        out.add(name + std::to_string(i), static_cast<long long>(values[i]));
}

void describeList(FieldList& out, const std::vector<CStatusMessage>& items) {
    out.add("count", static_cast<int>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        out.add("item" + std::to_string(i), std::to_string(items[i].number) + " " + items[i].name);
}

}  // namespace

void CGroup::Describe(FieldList& out) const {
    out.add("name", name);
    out.add("id", id);
    out.add("flagA", flagA);
    out.add("flagB", flagB);
    out.add("value3", value3);
    out.add("steps", steps);
    out.add("flagC", flagC);
    addFlags(out, "inverted", inverted);
}

void CTrunkChannel::Describe(FieldList& out) const {
    out.add("first", first);
    out.add("second", second);
    out.add("mode", mode);
    out.add("upper", upper);
    out.add("fine", fine);
}

void CConvChannel::Describe(FieldList& out) const {
    out.add("name", name);
    out.add("rx", rxFreq);
    out.add("tx", txFreq);
    out.add("hasTx", hasTx);
    out.add("upper", upper);
    out.add("fineRx", fineRx);
    out.add("fineTx", fineTx);
    addFlags(out, "flags", std::array<bool, 5>{flag7, flag5, flag43, specialMode, flag14});
    addNumbers(out, "extension", extension);
    out.add("rxTg", rxTg);
    out.add("txTg", txTg);
}

void CSpCall::Describe(FieldList& out) const {
    out.add("name", name);
    out.add("type", type);
    out.add("flag", flag);
    out.add("kindCode", kindCode);
    out.add("number", number);
}

void CTpgSpCall::Describe(FieldList& out) const {
    out.add("name", name);
    out.add("number", number);
}

void CTpgGroup::Describe(FieldList& out) const {
    out.add("name", name);
    addFlags(out, "flags", flags);
    addNumbers(out, "slot", codeSlots);
}

void CGroupSet::Describe(FieldList& out) const {
    describeItems(out, "group");
    out.add("home", home);
    out.add("priority1", priority1);
    out.add("priority2", priority2);
}

void CTrunkSet::Describe(FieldList& out) const {
    describeItems(out, "channel");
    out.add("flag", flag);
    out.add("steps", steps);
    for (int i = 0; i < 4; ++i) out.add("bandLimit" + std::to_string(i), bandLimits[i]);
}

void CConvSet::Describe(FieldList& out) const {
    describeItems(out, "channel");
    out.add("home", home);
    out.add("priority1", priority1);
    out.add("priority2", priority2);
    out.add("wideScan", wideScan);
}

void CSpCallSet::Describe(FieldList& out) const {
    describeItems(out, "call");
    out.add("value1", value1);
    out.add("value2", value2);
}

void CTpgGroupSet::Describe(FieldList& out) const {
    describeItems(out, "group");
}

void CTpgSpCallSet::Describe(FieldList& out) const {
    describeItems(out, "call");
}

void CConvSystem::Describe(FieldList& out) const {
    out.add("conventional", GetName());
    out.add("convSet", convSet_);
}

void CTrunkSystem::Describe(FieldList& out) const {
    out.add("trunked", GetName());
    out.add("trunkSet", trunkSet);
    out.add("groupSet", groupSet);
    out.add("spCallSet", spCallSet);
    out.add("value6", value6);
    out.add("value14", value14);
    out.add("flagA", flagA);
    out.add("flagB", flagB);
    out.add("value5", value5);
    out.add("value3", value3);
    out.add("flag", flag);
    out.add("scanMode", scanMode);
    out.add("prioritySystem", prioritySystem);
    out.add("scanPair", scanPair[0] + "|" + scanPair[1]);
    std::string scanned;
    for (const auto& s : scannedSystems) scanned += s + "|";
    out.add("scanned", scanned);
}

void CTpgSystem::Describe(FieldList& out) const {
    out.add("telpage", GetName());
    out.add("trunkSet", trunkSet);
    out.add("groupSet", groupSet);
    out.add("spCallSet", spCallSet);
    addFlags(out, "flags", flags);
    out.add("value2", value2);
    out.add("offset", offset);
    addNumbers(out, "slot", codeSlots);
}

void CDTMFOpts::Describe(FieldList& out) const {
    for (std::size_t i = 0; i < fractions.size(); ++i)
        out.add(std::to_string(kControls[i]), fractions[i]);
}

void CNavlocOpts::Describe(FieldList& out) const {
    out.add("1197", fraction);
}

void CClearvoxOpts::Describe(FieldList& out) const {
    out.add("1910", fraction);
}

void CScanOpts::Describe(FieldList& out) const {
    out.add("1077", fraction);
}

void CSystemScanOpts::Describe(FieldList& out) const {
    out.add("value", value);
}

void CPowerUpOpts::Describe(FieldList& out) const {
    out.add("flag", flag);
    out.add("system", system);
    out.add("group", group);
}

void CGenRadioOpts::Describe(FieldList& out) const {
    out.add("homeSystem", homeSystem);
    out.add("callback", callback_);
}

void CAgencyData::Describe(FieldList& out) const {
    out.add("fleets", static_cast<int>(fleets.size()));
    for (std::size_t i = 0; i < fleets.size(); ++i) out.add("fleet" + std::to_string(i), fleets[i]);
}

void CTelpageOpts::Describe(FieldList& out) const {
    out.add("tonesPresent", tonesPresent);
    out.add("phonesPresent", phonesPresent);
    for (std::size_t i = 0; i < tones.size(); ++i)
        addNumbers(out, ("tone" + std::to_string(i) + ".").c_str(), tones[i].bytes);
    for (std::size_t i = 0; i < phones.size(); ++i) out.add("phone" + std::to_string(i), phones[i]);
}

void CScratchPadOpts::SetIds(const std::vector<std::uint16_t>& words) {
    ids.fill(0);
    for (std::size_t i = 0; i < words.size() && i < ids.size(); ++i) ids[i] = words[i];
}

void CScratchPadOpts::Describe(FieldList& out) const {
    out.add("idsPresent", idsPresent);
    out.add("phonesPresent", phonesPresent);
    addNumbers(out, "id", ids);
    for (std::size_t i = 0; i < phones.size(); ++i) out.add("phone" + std::to_string(i), phones[i]);
}

void CKeypadCtrlOpts_N2::Describe(FieldList& out) const {
    out.add("lockSequence", lockSequence);
}

void CTrvMenu::Describe(FieldList& out) const {
    out.addBytes("menus", menus);
}

void CTrwFlexKeys::Describe(FieldList& out) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const CFlexKeys& k = keys[i];
        out.add("key" + std::to_string(i), std::to_string(k.kind) + " " +
                                               std::to_string(k.function) + " " + k.digits + " " +
                                               std::to_string(k.value) + " [" + k.name + "]");
    }
}

void CDualsetOpts::Describe(FieldList& out) const {
    out.add("value", static_cast<int>(value));
}

void CRciKeypad::Describe(FieldList& out) const {
    addNumbers(out, "key", keypad);
}

void CRciSystemGroup::Describe(FieldList& out) const {
    out.add("count", static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        out.add("entry" + std::to_string(i), entries[i].system + "|" + entries[i].group);
}

void CType61Opts::Describe(FieldList& out) const {
    for (std::size_t i = 0; i < sets.size(); ++i) {
        out.add("set" + std::to_string(i) + ".flag", static_cast<int>(sets[i].flag));
        for (int t = 0; t < 4; ++t)
            out.add("set" + std::to_string(i) + ".t" + std::to_string(t + 1), sets[i].tones[t]);
    }
}

void CVsOpts::Describe(FieldList& out) const {
    out.addBytes("data", data);
}

void CStatus::Describe(FieldList& out) const {
    describeList(out, items);
}

void CMessage::Describe(FieldList& out) const {
    describeList(out, items);
}

void CImageExtras::Describe(FieldList& out) const {
    out.add("hasVersion", hasVersion);
    out.add("version", std::to_string(versionMajor) + "." + std::to_string(versionMinor));
    out.addBytes("header", header);
    for (const auto& [n, bytes] : sections) out.addBytes("section" + std::to_string(n), bytes);
}

}  // namespace tw
