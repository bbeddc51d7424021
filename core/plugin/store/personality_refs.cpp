// Cross-references of a personality read from JSON. Objects refer to one another by name,
// so a name a reference uses must find exactly one object. Systems and groups may share a
// name that nothing refers to, as a radio's may (unnamed ones are blanks or zero bytes).
#include <map>

#include "plugin/store/json_fields.h"
#include "plugin/store/personality_json.h"

namespace tw {
namespace {

const char* const kSetWhat[kSetTypeCount] = {"trunked set",       "conventional set",
                                             "group set",         "special-call set",
                                             "TELPAGE group set", "TELPAGE special-call set"};

class Checker {
  public:
    Checker(const CPersonality& p, std::string& error) : p_(p), error_(error) {}

    bool run() {
        uniqueNames();
        for (int i = 0; i < p_.GetNumSystems() && ok(); ++i) system(i);
        for (int i = 0; i < p_.GetSetCount(kGroupSetType) && ok(); ++i) groupSet(i);
        for (int i = 0; i < p_.GetSetCount(kConvSetType) && ok(); ++i) convSet(i);
        options();
        return ok();
    }

  private:
    const CPersonality& p_;
    std::string& error_;

    bool ok() const { return error_.empty(); }
    void fail(const std::string& path, const std::string& why) {
        if (ok()) error_ = path + ": " + why;
    }
    static std::string quoted(const std::string& name) {
        return "\"" + json::latin1ToUtf8(name) + "\"";
    }

    void uniqueNames() {
        std::map<std::string, int> seen;
        for (int t = 0; t < kSetTypeCount && ok(); ++t) {
            seen.clear();
            for (int i = 0; i < p_.GetSetCount(t) && ok(); ++i) {
                const auto [at, added] = seen.emplace(p_.GetSetAt(i, t)->GetName(), i);
                if (!added)
                    fail(setPath(t, i) + "/name", "the " + std::string(kSetWhat[t]) + " name " +
                                                      quoted(at->first) + " is already used by " +
                                                      setPath(t, at->second));
            }
        }
    }

    static std::string setPath(int type, int index) {
        return std::string("/sets/") + kSetJsonKeys[type] + "/" + std::to_string(index);
    }

    void setRef(const std::string& path, const std::string& name, int type) {
        if (!name.empty() && p_.FindSetIndex(name, type) < 0)
            fail(path, "no " + std::string(kSetWhat[type]) + " is named " + quoted(name));
    }
    // A system a reference names must be the only one of that name.
    void systemRef(const std::string& path, const std::string& name) {
        if (name.empty()) return;
        int count = 0;
        for (const auto& s : p_.Systems()) count += s->GetName() == name;
        if (count == 0) fail(path, "no system is named " + quoted(name));
        if (count > 1)
            fail(path, "the system name " + quoted(name) + " is used by " + std::to_string(count) +
                           " systems");
    }
    // A group a reference names must be the only one of that name in its set (decoded
    // radios hold empty slots that share a name; nothing refers to those).
    void groupRef(const std::string& path, const CGroupSet& set, const std::string& name) {
        if (name.empty()) return;
        int count = 0;
        for (const CGroup& g : set.items) count += g.name == name;
        if (count == 0)
            fail(path, "no group of " + quoted(set.GetName()) + " is named " + quoted(name));
        if (count > 1)
            fail(path, "the group name " + quoted(name) + " is used by " + std::to_string(count) +
                           " groups of " + quoted(set.GetName()));
    }

    void system(int i) {
        const std::string path = "/systems/" + std::to_string(i);
        const CSystem* s = p_.GetSystemAt(i);
        if (const auto* conv = dynamic_cast<const CConvSystem*>(s)) {
            setRef(path + "/convSet", conv->GetConvSetName(), kConvSetType);
        } else if (const auto* trunk = dynamic_cast<const CTrunkSystem*>(s)) {
            setRef(path + "/trunkSet", trunk->trunkSet, kTrunkSetType);
            setRef(path + "/groupSet", trunk->groupSet, kGroupSetType);
            setRef(path + "/spCallSet", trunk->spCallSet, kSpCallSetType);
            systemRef(path + "/prioritySystem", trunk->prioritySystem);
            for (std::size_t k = 0; k < trunk->scanPair.size(); ++k)
                systemRef(path + "/scanPair/" + std::to_string(k), trunk->scanPair[k]);
            for (std::size_t k = 0; k < trunk->scannedSystems.size(); ++k)
                systemRef(path + "/scannedSystems/" + std::to_string(k), trunk->scannedSystems[k]);
        } else if (const auto* tpg = dynamic_cast<const CTpgSystem*>(s)) {
            setRef(path + "/trunkSet", tpg->trunkSet, kTrunkSetType);
            setRef(path + "/groupSet", tpg->groupSet, kTpgGroupSetType);
            setRef(path + "/spCallSet", tpg->spCallSet, kTpgSpCallSetType);
        }
    }

    void groupSet(int i) {
        const auto& set = *static_cast<const CGroupSet*>(p_.GetSetAt(i, kGroupSetType));
        const std::string path = setPath(kGroupSetType, i);
        groupRef(path + "/home", set, set.home);
        groupRef(path + "/priority1", set, set.priority1);
        groupRef(path + "/priority2", set, set.priority2);
    }

    void convSet(int i) {
        const auto& set = *static_cast<const CConvSet*>(p_.GetSetAt(i, kConvSetType));
        const std::string path = setPath(kConvSetType, i);
        const std::pair<const char*, const std::string*> refs[] = {{"home", &set.home},
                                                                   {"priority1", &set.priority1},
                                                                   {"priority2", &set.priority2},
                                                                   {"wideScan", &set.wideScan}};
        for (const auto& [key, name] : refs)
            if (!name->empty() && set.FindIndex(*name) < 0)
                fail(path + "/" + key,
                     "no channel of " + quoted(set.GetName()) + " is named " + quoted(*name));
    }

    void options() {
        if (const auto* powerUp = p_.GetOption<CPowerUpOpts>())
            systemRef("/options/CPowerUpOpts/system", powerUp->system);
        if (const auto* gen = p_.GetOption<CGenRadioOpts>())
            systemRef("/options/CGenRadioOpts/homeSystem", gen->homeSystem);
        const auto* rci = p_.GetOption<CRciSystemGroup>();
        for (std::size_t k = 0; rci && k < rci->entries.size() && ok(); ++k) {
            const std::string path = "/options/CRciSystemGroup/entries/" + std::to_string(k);
            const CRciSysGrp& e = rci->entries[k];
            systemRef(path + "/system", e.system);
            if (e.group.empty() || !ok()) continue;
            const auto* trunk =
                dynamic_cast<const CTrunkSystem*>(p_.GetSystemAt(p_.FindSystemIndex(e.system)));
            const auto* set = trunk ? p_.FindSet<CGroupSet>(trunk->groupSet) : nullptr;
            if (!set)
                fail(path + "/group", "the system " + quoted(e.system) + " has no group set");
            else
                groupRef(path + "/group", *set, e.group);
        }
    }
};

}  // namespace

bool checkPersonalityReferences(const CPersonality& personality, std::string& error) {
    error.clear();
    return Checker(personality, error).run();
}

}  // namespace tw
