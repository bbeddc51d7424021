#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "plugin/store/store_object.h"

namespace tw {

// Kinds of set a personality holds. The first three are the host's own numbers; the
// special-call and TELPAGE kinds are ours, so that every set is reached the same way.
enum SetType : int {
    kTrunkSetType = 0,
    kConvSetType = 1,
    kGroupSetType = 2,
    kSpCallSetType = 3,     // ours
    kTpgGroupSetType = 4,   // ours
    kTpgSpCallSetType = 5,  // ours
};
inline constexpr int kSetTypeCount = 6;

// One talk group of a group set.
struct CGroup {
    CGroup() = default;
    CGroup(std::string n, int type) : name(std::move(n)), setType(type) {}
    std::string name;
    int setType = kGroupSetType;
    int id = 0;                      // 11 bits; 0 marks an empty slot
    bool flagA = false;              // record byte 0 bit 7
    bool flagB = false;              // record byte 0 bit 6
    int value3 = 0;                  // record byte 0 bits 5-3
    int steps = 0;                   // 0, 5, 10 or 15
    bool flagC = false;              // record byte 2 bit 3
    std::array<bool, 4> inverted{};  // record byte 2 bits 2, 4, 5, 6, stored inverted
    const std::string& GetName() const { return name; }
    void Describe(FieldList& out) const;
};

// One channel of a trunked frequency set. The first frequency is converted with the
// record's "upper" flag, the second always as upper.
struct CTrunkChannel {
    double first = 0.0;   // MHz
    double second = 0.0;  // MHz
    int mode = 0;         // 0, 1 or 2
    bool upper = false;
    bool fine = false;
    void Describe(FieldList& out) const;
};

// One channel of a conventional set. Receive is the record's second frequency, transmit
// its first; a receive-only channel has no transmit frequency.
struct CConvChannel {
    std::string name;
    double rxFreq = 0.0;  // MHz
    double txFreq = 0.0;  // MHz, 0 when hasTx is false
    bool hasTx = true;
    bool upper = false;
    bool fineRx = false;
    bool fineTx = false;
    bool flag7 = false;                       // record byte 0 bit 7
    bool flag5 = false;                       // record byte 0 bit 5
    bool flag43 = false;                      // record byte 0 bits 4-3 non-zero
    bool specialMode = false;                 // record byte 0 bit 6
    bool flag14 = false;                      // record byte 1 bit 4
    std::array<std::uint8_t, 4> extension{};  // one byte each from sections 25, 26, 28, 31
    std::string rxTg, txTg;                   // Tone Gate texts; empty: none
    const std::string& GetName() const { return name; }
    const std::string& GetRxTg() const { return rxTg; }
    void SetRxTg(std::string t) { rxTg = std::move(t); }
    const std::string& GetTxTg() const { return txTg; }
    void SetTxTg(std::string t) { txTg = std::move(t); }
    void Describe(FieldList& out) const;
};

// Kinds of special call as the object holds them.
enum SpCallType : int {
    kSpCallPhone = 0,
    kSpCallKind0 = 1,
    kSpCallIndividual = 2,
    kSpCallKind6 = 3
};

struct CSpCall {
    std::string name;
    int type = kSpCallIndividual;
    bool flag = false;   // kind byte bit 4, stored inverted
    int kindCode = 2;    // the kind in the record (2 to 5 for individual calls)
    std::string number;  // digits of a phone call, decimal ID otherwise
    const std::string& GetName() const { return name; }
    void Describe(FieldList& out) const;
};

struct CTpgSpCall {
    std::string name;
    std::string number;  // decimal, 16 bits
    const std::string& GetName() const { return name; }
    void Describe(FieldList& out) const;
};

struct CTpgGroup {
    CTpgGroup() = default;
    CTpgGroup(std::string n, int type) : name(std::move(n)), setType(type) {}
    std::string name;
    int setType = kTpgGroupSetType;
    std::array<bool, 5> flags{};               // record byte 1 bits 3 to 7
    std::array<std::uint16_t, 4> codeSlots{};  // from the TELPAGE code table
    const std::string& GetName() const { return name; }
    void Describe(FieldList& out) const;
};

}  // namespace tw
