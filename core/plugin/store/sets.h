#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plugin/store/items.h"

namespace tw {

// A named list of items. The item count is the list's length; there is no count to keep
// in step by hand.
class CSet {
  public:
    virtual ~CSet() = default;
    virtual int Type() const = 0;
    virtual std::unique_ptr<CSet> Clone() const = 0;
    virtual std::size_t ItemCount() const = 0;
    virtual void Describe(FieldList& out) const = 0;
    const std::string& GetName() const { return name_; }
    void SetName(std::string n) { name_ = std::move(n); }
    std::uint16_t GetCount() const { return static_cast<std::uint16_t>(ItemCount()); }

  private:
    std::string name_;
};

template <class Derived, class Item, int kType>
class CItemSet : public CSet {
  public:
    int Type() const override { return kType; }
    std::unique_ptr<CSet> Clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    std::size_t ItemCount() const override { return items.size(); }
    void Add(Item item) { items.push_back(std::move(item)); }
    // Null when the index is outside the list.
    Item* GetAt(int index) {
        return index >= 0 && index < static_cast<int>(items.size()) ? &items[index] : nullptr;
    }
    const Item* GetAt(int index) const {
        return index >= 0 && index < static_cast<int>(items.size()) ? &items[index] : nullptr;
    }
    // -1 for a name that is not in the list (and for an empty name).
    int FindIndex(const std::string& itemName) const {
        if (itemName.empty()) return -1;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].GetName() == itemName) return static_cast<int>(i);
        return -1;
    }
    std::vector<Item> items;
};

class CGroupSet : public CItemSet<CGroupSet, CGroup, kGroupSetType> {
  public:
    CGroupSet() = default;
    explicit CGroupSet(int /*setType*/) {}
    CGroup* GetGroupAt(int i) { return GetAt(i); }
    int FindGroupIndex(const std::string& n) const { return FindIndex(n); }
    std::string home, priority1, priority2;  // group names; empty: none
    void Describe(FieldList& out) const override;
};

class CTrunkSet : public CItemSet<CTrunkSet, CTrunkChannel, kTrunkSetType> {
  public:
    CTrunkSet() = default;
    CTrunkSet(int /*radioType*/, int /*one*/, double lowerLimit) { bandLimits[0] = lowerLimit; }
    bool flag = false;  // header byte 0 bit 6, stored inverted
    int steps = 0;      // 0, 5, 10 or 15; travels in the system records that use the set
    std::array<double, 4> bandLimits{};
    void Describe(FieldList& out) const override;
};

class CConvSet : public CItemSet<CConvSet, CConvChannel, kConvSetType> {
  public:
    CConvChannel* GetChannelAt(int i) { return GetAt(i); }
    int FindChannelIndex(const std::string& n) const { return FindIndex(n); }
    std::string home, priority1, priority2, wideScan;  // channel names; empty: none
    void Describe(FieldList& out) const override;
};

class CSpCallSet : public CItemSet<CSpCallSet, CSpCall, kSpCallSetType> {
  public:
    int value1 = 0, value2 = 0;  // 14 bits each
    void Describe(FieldList& out) const override;
};

class CTpgGroupSet : public CItemSet<CTpgGroupSet, CTpgGroup, kTpgGroupSetType> {
  public:
    void Describe(FieldList& out) const override;
};

class CTpgSpCallSet : public CItemSet<CTpgSpCallSet, CTpgSpCall, kTpgSpCallSetType> {
  public:
    void Describe(FieldList& out) const override;
};

}  // namespace tw
