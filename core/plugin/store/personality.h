#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/store/options.h"
#include "plugin/store/sets.h"
#include "plugin/store/systems.h"

namespace tw {

// Root object of a radio personality: its systems, its sets of each kind and its option
// objects. The store owns everything put into it. Copies are deep.
class CPersonality {
  public:
    CPersonality() = default;
    CPersonality(std::uint16_t type, std::string name) : radioType(type), name_(std::move(name)) {}
    CPersonality(const CPersonality& other);
    CPersonality& operator=(const CPersonality& other);
    CPersonality(CPersonality&&) noexcept = default;
    CPersonality& operator=(CPersonality&&) noexcept = default;
    ~CPersonality() = default;

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Options, looked up by class tag. Null when none of that class is held.
    COption* GetOption(const char* classTag) const;
    template <class T>
    T* GetOption() const {
        return static_cast<T*>(GetOption(T::kClassTag));
    }
    // Takes ownership. An option of the same class held before is replaced; putting back
    // the object GetOption returned leaves it in place.
    void PutOption(COption* option);
    void PutOption(std::unique_ptr<COption> option);
    // Drops the option of that class (if any).
    void RemoveOption(const char* classTag);
    const std::vector<std::unique_ptr<COption>>& Options() const { return options_; }

    // Systems, in the order the radio lists them.
    void AddSystem(std::unique_ptr<CSystem> system) { systems_.push_back(std::move(system)); }
    CSystem* GetSystemAt(int index) const;
    int FindSystemIndex(const std::string& name) const;
    int GetNumSystems() const { return static_cast<int>(systems_.size()); }
    const std::vector<std::unique_ptr<CSystem>>& Systems() const { return systems_; }

    // Sets of each kind, in set-number order.
    void AddSet(std::unique_ptr<CSet> set, int setType);
    CSet* GetSetAt(int index, int setType) const;
    int FindSetIndex(const std::string& name, int setType) const;
    CSet* GetSet(const std::string& name, int setType) const;
    std::uint16_t GetSetCount(int setType) const;
    template <class T>
    T* SetAt(int index) const {
        return static_cast<T*>(GetSetAt(index, T().Type()));
    }
    template <class T>
    T* FindSet(const std::string& name) const {
        return static_cast<T*>(GetSet(name, T().Type()));
    }
    int GetNumConvChans() const;

    // Replaces systems, sets and band limits by those of `other` (which is emptied of them).
    void TakeStructureFrom(CPersonality& other);

    // A character code of the radio-type letters ("C" = 0x43, ...).
    std::uint16_t radioType = 0;
    // MHz: lower, lower, upper, upper.
    std::array<double, 4> bandLimits{};

    // Every field of the personality, one line each (for deep comparison).
    FieldList Describe() const;

  private:
    std::string name_;
    std::vector<std::unique_ptr<CSystem>> systems_;
    std::array<std::vector<std::unique_ptr<CSet>>, kSetTypeCount> sets_;
    std::vector<std::unique_ptr<COption>> options_;
};

// Deep equality; the text says where two personalities first differ ("" when equal).
std::string firstDifference(const CPersonality& a, const CPersonality& b);
inline bool operator==(const CPersonality& a, const CPersonality& b) {
    return firstDifference(a, b).empty();
}

}  // namespace tw
