#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plugin/store/store_object.h"

namespace tw {

enum class SystemKind { Conventional, Trunked, Telpage };

class CSystem {
  public:
    explicit CSystem(std::string name = {}) : name_(std::move(name)) {}
    virtual ~CSystem() = default;
    virtual SystemKind Kind() const = 0;
    virtual std::unique_ptr<CSystem> Clone() const = 0;
    virtual void Describe(FieldList& out) const = 0;
    const std::string& GetName() const { return name_; }
    void SetName(std::string n) { name_ = std::move(n); }

  private:
    std::string name_;
};

class CConvSystem : public CSystem {
  public:
    using CSystem::CSystem;
    SystemKind Kind() const override { return SystemKind::Conventional; }
    std::unique_ptr<CSystem> Clone() const override { return std::make_unique<CConvSystem>(*this); }
    void Describe(FieldList& out) const override;
    const std::string& GetConvSetName() const { return convSet_; }
    void SetConvSetName(std::string n) { convSet_ = std::move(n); }

  private:
    std::string convSet_;
};

// Scan mode in which a trunked system scans the two systems named in its record.
inline constexpr int kPairScanMode = 3;

class CTrunkSystem : public CSystem {
  public:
    using CSystem::CSystem;
    SystemKind Kind() const override { return SystemKind::Trunked; }
    std::unique_ptr<CSystem> Clone() const override {
        return std::make_unique<CTrunkSystem>(*this);
    }
    void Describe(FieldList& out) const override;

    std::string trunkSet, groupSet, spCallSet;  // set names; empty: none
    int value6 = 0;                             // byte 1 bits 5-0
    int value14 = 0;                            // bytes 2-3, low 14 bits
    bool flagA = false;                         // byte 2 bit 7, stored inverted
    bool flagB = false;                         // byte 2 bit 6, stored inverted
    int value5 = 0;                             // byte 4 bits 4-0
    int value3 = 0;                             // byte 6 bits 7-5
    bool flag = false;                          // byte 10 bit 7
    int scanMode = 0;
    std::string prioritySystem;               // when scanMode is not the pair mode
    std::array<std::string, 2> scanPair;      // in the pair mode
    std::vector<std::string> scannedSystems;  // from the scan matrix
};

class CTpgSystem : public CSystem {
  public:
    using CSystem::CSystem;
    SystemKind Kind() const override { return SystemKind::Telpage; }
    std::unique_ptr<CSystem> Clone() const override { return std::make_unique<CTpgSystem>(*this); }
    void Describe(FieldList& out) const override;

    std::string trunkSet, groupSet, spCallSet;  // TELPAGE group and special-call sets
    std::array<bool, 8> flags{};                // b0 bit 4; b1 bits 7, 6, 5; b6 bits 0, 1, 4, 5
    int value2 = 0;                             // b6 bits 7-6
    int offset = 0;                             // b1 bits 4-0 minus 5
    std::array<std::uint16_t, 4> codeSlots{};   // from the TELPAGE code table
};

}  // namespace tw
