#include "plugin/store/personality.h"

#include <algorithm>
#include <cstring>

namespace tw {

CPersonality::CPersonality(const CPersonality& other) {
    *this = other;
}

CPersonality& CPersonality::operator=(const CPersonality& other) {
    if (this == &other) return *this;
    radioType = other.radioType;
    bandLimits = other.bandLimits;
    name_ = other.name_;
    systems_.clear();
    for (const auto& s : other.systems_) systems_.push_back(s->Clone());
    for (int t = 0; t < kSetTypeCount; ++t) {
        sets_[t].clear();
        for (const auto& s : other.sets_[t]) sets_[t].push_back(s->Clone());
    }
    options_.clear();
    for (const auto& o : other.options_) options_.push_back(o->Clone());
    return *this;
}

COption* CPersonality::GetOption(const char* classTag) const {
    for (const auto& o : options_)
        if (std::strcmp(o->ClassTag(), classTag) == 0) return o.get();
    return nullptr;
}

void CPersonality::PutOption(COption* option) {
    if (option == nullptr) return;
    for (auto& o : options_) {
        if (o.get() == option) return;
        if (std::strcmp(o->ClassTag(), option->ClassTag()) == 0) {
            o.reset(option);
            return;
        }
    }
    options_.emplace_back(option);
}

void CPersonality::PutOption(std::unique_ptr<COption> option) {
    PutOption(option.release());
}

void CPersonality::RemoveOption(const char* classTag) {
    std::erase_if(options_,
                  [&](const auto& o) { return std::strcmp(o->ClassTag(), classTag) == 0; });
}

CSystem* CPersonality::GetSystemAt(int index) const {
    if (index < 0 || index >= static_cast<int>(systems_.size())) return nullptr;
    return systems_[index].get();
}

int CPersonality::FindSystemIndex(const std::string& name) const {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < systems_.size(); ++i)
        if (systems_[i]->GetName() == name) return static_cast<int>(i);
    return -1;
}

void CPersonality::AddSet(std::unique_ptr<CSet> set, int setType) {
    if (!set || setType < 0 || setType >= kSetTypeCount || set->Type() != setType) return;
    sets_[setType].push_back(std::move(set));
}

CSet* CPersonality::GetSetAt(int index, int setType) const {
    if (setType < 0 || setType >= kSetTypeCount) return nullptr;
    const auto& list = sets_[setType];
    if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
    return list[index].get();
}

int CPersonality::FindSetIndex(const std::string& name, int setType) const {
    if (name.empty() || setType < 0 || setType >= kSetTypeCount) return -1;
    const auto& list = sets_[setType];
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->GetName() == name) return static_cast<int>(i);
    return -1;
}

CSet* CPersonality::GetSet(const std::string& name, int setType) const {
    return GetSetAt(FindSetIndex(name, setType), setType);
}

std::uint16_t CPersonality::GetSetCount(int setType) const {
    if (setType < 0 || setType >= kSetTypeCount) return 0;
    return static_cast<std::uint16_t>(sets_[setType].size());
}

int CPersonality::GetNumConvChans() const {
    int n = 0;
    for (const auto& s : sets_[kConvSetType]) n += static_cast<int>(s->ItemCount());
    return n;
}

void CPersonality::TakeStructureFrom(CPersonality& other) {
    systems_ = std::move(other.systems_);
    sets_ = std::move(other.sets_);
    bandLimits = other.bandLimits;
    other.systems_.clear();
    for (auto& list : other.sets_) list.clear();
}

FieldList CPersonality::Describe() const {
    FieldList out;
    out.add("name", name_);
    out.add("radioType", static_cast<int>(radioType));
    for (int i = 0; i < 4; ++i) out.add("bandLimit" + std::to_string(i), bandLimits[i]);
    for (std::size_t i = 0; i < systems_.size(); ++i) {
        FieldList f = out.nested("system" + std::to_string(i));
        systems_[i]->Describe(f);
        out.append(f);
    }
    static const char* kinds[kSetTypeCount] = {"trunkSet",  "convSet",     "groupSet",
                                               "spCallSet", "tpgGroupSet", "tpgSpCallSet"};
    for (int t = 0; t < kSetTypeCount; ++t) {
        out.add(std::string(kinds[t]) + "s", static_cast<int>(sets_[t].size()));
        for (std::size_t i = 0; i < sets_[t].size(); ++i) {
            FieldList f = out.nested(kinds[t] + std::to_string(i));
            sets_[t][i]->Describe(f);
            out.append(f);
        }
    }
    // Options compare by class, whatever order they were put in.
    std::vector<const COption*> sorted;
    for (const auto& o : options_) sorted.push_back(o.get());
    std::sort(sorted.begin(), sorted.end(), [](const COption* a, const COption* b) {
        return std::strcmp(a->ClassTag(), b->ClassTag()) < 0;
    });
    for (const COption* o : sorted) {
        FieldList f = out.nested(o->ClassTag());
        o->Describe(f);
        out.append(f);
    }
    return out;
}

std::string firstDifference(const CPersonality& a, const CPersonality& b) {
    return firstDifference(a.Describe(), b.Describe());
}

}  // namespace tw
