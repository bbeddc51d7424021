#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "plugin/store/store_object.h"

namespace tw {

// Options whose contents the image does not carry: the host edits them, the store keeps
// them, and a personality read from a radio leaves them as they were.
#define TW_PLAIN_OPTION(Name)                                                      \
    class Name : public COption {                                                  \
        TW_OPTION_CLASS(Name)                                                      \
        void Describe(FieldList& out) const override { out.add("present", true); } \
    };
TW_PLAIN_OPTION(CAlarmOpts)
TW_PLAIN_OPTION(CAlertOpts)
TW_PLAIN_OPTION(CConvScanOpts)
TW_PLAIN_OPTION(CDataOpts)
TW_PLAIN_OPTION(CDisplayOpts)
TW_PLAIN_OPTION(CExtSpkrOpts)
TW_PLAIN_OPTION(CKeypadCtrlOpts)
TW_PLAIN_OPTION(CPubAddOpts)
TW_PLAIN_OPTION(CSupervisoryOpts)
TW_PLAIN_OPTION(CTimerOpts)
#undef TW_PLAIN_OPTION

// Values held as fractions of their field's range (see the value conversion).
class CDTMFOpts : public COption {
    TW_OPTION_CLASS(CDTMFOpts)
    static constexpr std::array<int, 6> kControls{1808, 1810, 1812, 1814, 1816, 1818};
    std::array<double, 6> fractions{};  // in the order of kControls
    void Describe(FieldList& out) const override;
};

class CNavlocOpts : public COption {
    TW_OPTION_CLASS(CNavlocOpts)
    double fraction = 0.0;  // dialog 141, control 1197
    void Describe(FieldList& out) const override;
};

class CClearvoxOpts : public COption {
    TW_OPTION_CLASS(CClearvoxOpts)
    double fraction = 0.0;  // dialog 195, control 1910
    void Describe(FieldList& out) const override;
};

class CScanOpts : public COption {
    TW_OPTION_CLASS(CScanOpts)
    double fraction = 0.0;  // dialog 194, control 1077
    void Describe(FieldList& out) const override;
};

class CSystemScanOpts : public COption {
    TW_OPTION_CLASS(CSystemScanOpts)
    int value = 0;  // 4 bits
    void Describe(FieldList& out) const override;
};

class CPowerUpOpts : public COption {
    TW_OPTION_CLASS(CPowerUpOpts)
    bool flag = false;
    std::string system, group;
    void Describe(FieldList& out) const override;
};

class CGenRadioOpts : public COption {
    TW_OPTION_CLASS(CGenRadioOpts)
    std::string homeSystem;
    const std::string& GetCallbackMessage() const { return callback_; }
    void SetCallbackMessage(std::string t) { callback_ = std::move(t); }
    void Describe(FieldList& out) const override;

  private:
    std::string callback_;
};

class CAgencyData : public COption {
    TW_OPTION_CLASS(CAgencyData)
    void SetFleets(std::vector<int> sizes) { fleets = std::move(sizes); }
    std::vector<int> fleets;  // fleet sizes, one per fleet
    void Describe(FieldList& out) const override;
};

struct CTones {
    std::array<std::uint8_t, 4> bytes{};
};

class CTelpageOpts : public COption {
    TW_OPTION_CLASS(CTelpageOpts)
    bool tonesPresent = false, phonesPresent = false;
    std::array<CTones, 10> tones{};
    std::array<std::string, 10> phones{};
    void Describe(FieldList& out) const override;
};

class CScratchPadOpts : public COption {
    TW_OPTION_CLASS(CScratchPadOpts)
    bool idsPresent = false, phonesPresent = false;
    std::array<std::uint16_t, 10> ids{};
    std::array<std::string, 10> phones{};
    void SetIds(const std::vector<std::uint16_t>& words);
    void Describe(FieldList& out) const override;
};

class CKeypadCtrlOpts_N2 : public COption {
    TW_OPTION_CLASS(CKeypadCtrlOpts_N2)
    std::string lockSequence;
    void Describe(FieldList& out) const override;
};

class CTrvMenu : public COption {
    TW_OPTION_CLASS(CTrvMenu)
    void SetMenus(std::vector<std::uint8_t> m) { menus = std::move(m); }
    std::vector<std::uint8_t> menus;
    void Describe(FieldList& out) const override;
};

struct CFlexKeys {
    int kind = 0;
    int function = 0;    // kind 1
    std::string digits;  // kinds 2 and 3
    int value = 0;       // record byte 1 of a number key
    std::string name;
};

class CTrwFlexKeys : public COption {
    TW_OPTION_CLASS(CTrwFlexKeys)
    std::array<CFlexKeys, 3> keys{};
    void Describe(FieldList& out) const override;
};

class CDualsetOpts : public COption {
    TW_OPTION_CLASS(CDualsetOpts)
    std::uint16_t value = 0;
    void Describe(FieldList& out) const override;
};

class CRciKeypad : public COption {
    TW_OPTION_CLASS(CRciKeypad)
    void SetKeypad(const std::array<int, 10>& k) { keypad = k; }
    std::array<int, 10> keypad{};
    void Describe(FieldList& out) const override;
};

struct CRciSysGrp {
    std::string system, group;
};

class CRciSystemGroup : public COption {
    TW_OPTION_CLASS(CRciSystemGroup)
    std::vector<CRciSysGrp> entries;
    void Describe(FieldList& out) const override;
};

struct CT61 {
    std::uint8_t flag = 0;
    std::array<double, 4> tones{};  // Hz; 0.0 = absent
};

class CType61Opts : public COption {
    TW_OPTION_CLASS(CType61Opts)
    std::array<CT61, 3> sets{};
    void Describe(FieldList& out) const override;
};

class CVsOpts : public COption {
    TW_OPTION_CLASS(CVsOpts)
    std::vector<std::uint8_t> data;  // the voice-encryption block, at most 255 bytes
    void Describe(FieldList& out) const override;
};

struct CStatusMessage {
    int number = 0;
    std::string name;
};

class CStatus : public COption {
    TW_OPTION_CLASS(CStatus)
    std::vector<CStatusMessage> items;
    void Describe(FieldList& out) const override;
};

class CMessage : public COption {
    TW_OPTION_CLASS(CMessage)
    std::vector<CStatusMessage> items;
    void Describe(FieldList& out) const override;
};

// Ours: what an image holds that no other object does, so that read, edit and write loses
// nothing. The encoder owns some header bytes and sections outright (structure, checks
// and one radio's own alignment); kept bytes never override those.
class CImageExtras : public COption {
    TW_OPTION_CLASS(CImageExtras)
    bool hasVersion = false;
    std::uint8_t versionMajor = 0, versionMinor = 0;
    std::vector<std::uint8_t> header;                   // the header area as read
    std::map<int, std::vector<std::uint8_t>> sections;  // sections no object holds
    void Describe(FieldList& out) const override;
};

}  // namespace tw
