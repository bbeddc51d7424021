// What each store object shows in a deep comparison. The objects whose members
// item_fields.h lists are shown from that list; the options below it whose lines join
// several members into one text are drawn by hand.
#include "plugin/store/item_fields.h"

namespace tw {
namespace {

// The list is visited through a writable reference, as the JSON reader needs one; the
// description only reads.
template <class T>
void describeMembers(FieldList& out, const T& object) {
    members::FieldDescriber d(out);
    members::fields(d, const_cast<T&>(object));
    d.finish();
}

template <class T>
void describeSet(FieldList& out, const T& set) {
    out.add("name", set.GetName());
    describeMembers(out, set);
}

template <class T>
void describeSystem(FieldList& out, const T& system) {
    out.add(members::systemKindName(system.Kind()), system.GetName());
    describeMembers(out, system);
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
    describeMembers(out, *this);
}

void CTrunkChannel::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CConvChannel::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CSpCall::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CTpgSpCall::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CTpgGroup::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CGroupSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CTrunkSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CConvSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CSpCallSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CTpgGroupSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CTpgSpCallSet::Describe(FieldList& out) const {
    describeSet(out, *this);
}

void CConvSystem::Describe(FieldList& out) const {
    describeSystem(out, *this);
}

void CTrunkSystem::Describe(FieldList& out) const {
    describeSystem(out, *this);
}

void CTpgSystem::Describe(FieldList& out) const {
    describeSystem(out, *this);
}

void CDTMFOpts::Describe(FieldList& out) const {
    for (std::size_t i = 0; i < fractions.size(); ++i)
        out.add(std::to_string(kControls[i]), fractions[i]);
}

void CNavlocOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CClearvoxOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CScanOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CSystemScanOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CPowerUpOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
}

void CGenRadioOpts::Describe(FieldList& out) const {
    describeMembers(out, *this);
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
    describeMembers(out, *this);
}

void CKeypadCtrlOpts_N2::Describe(FieldList& out) const {
    describeMembers(out, *this);
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
    describeMembers(out, *this);
}

void CRciKeypad::Describe(FieldList& out) const {
    describeMembers(out, *this);
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
    describeMembers(out, *this);
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
