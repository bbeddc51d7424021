// The names and order of every listed member, in the saved JSON and in the description,
// are what files and comparisons already hold: a row moved or renamed in item_fields.h
// shows here, which a save-and-load round trip cannot see.
#include <gtest/gtest.h>

#include "plugin/store/item_fields.h"

namespace tw::test {
namespace {

template <class T>
std::string jsonNames(T object) {
    json::Value v = json::Value::makeObject();
    json::FieldWriter w(v);
    members::fields(w, object);
    std::string names;
    for (const auto& [key, value] : v.members) names += key + " ";
    return names;
}

template <class T>
std::string shownNames(const T& object) {
    FieldList f;
    object.Describe(f);
    std::string names;
    for (const auto& line : f.lines()) names += line.substr(0, line.find(": ")) + " ";
    return names;
}

struct Row {
    std::string json, shown;
};

template <class T>
Row namesOf(const T& object) {
    return {jsonNames(object), shownNames(object)};
}

TEST(MemberLists, JsonAndDescriptionNamesStayInTheirOrder) {
    const std::pair<Row, Row> rows[] = {
        {namesOf(CGroup{}),
         {"name id flagA flagB value3 steps flagC inverted ",
          "name id flagA flagB value3 steps flagC inverted "}},
        {namesOf(CTrunkChannel{}),
         {"first second mode upper fine ", "first second mode upper fine "}},
        {namesOf(CConvChannel{}),
         {"name rx tx hasTx upper fineRx fineTx flag7 flag5 flag43 specialMode flag14 extension "
          "rxTg txTg ",
          "name rx tx hasTx upper fineRx fineTx flags extension0 extension1 extension2 extension3 "
          "rxTg txTg "}},
        {namesOf(CSpCall{}),
         {"name type flag kindCode number ", "name type flag kindCode number "}},
        {namesOf(CTpgSpCall{}), {"name number ", "name number "}},
        {namesOf(CTpgGroup{}), {"name flags codeSlots ", "name flags slot0 slot1 slot2 slot3 "}},
        {namesOf(CGroupSet{}),
         {"home priority1 priority2 groups ", "name count home priority1 priority2 "}},
        {namesOf(CTrunkSet{}),
         {"flag steps bandLimits channels ",
          "name count flag steps bandLimit0 bandLimit1 bandLimit2 bandLimit3 "}},
        {namesOf(CConvSet{}),
         {"home priority1 priority2 wideScan channels ",
          "name count home priority1 priority2 wideScan "}},
        {namesOf(CSpCallSet{}), {"value1 value2 calls ", "name count value1 value2 "}},
        {namesOf(CTpgGroupSet{}), {"groups ", "name count "}},
        {namesOf(CTpgSpCallSet{}), {"calls ", "name count "}},
        {namesOf(CConvSystem{}), {"convSet ", "conventional convSet "}},
        {namesOf(CTrunkSystem{}),
         {"trunkSet groupSet spCallSet value6 value14 flagA flagB value5 value3 flag scanMode "
          "prioritySystem scanPair scannedSystems ",
          "trunked trunkSet groupSet spCallSet value6 value14 flagA flagB value5 value3 flag "
          "scanMode prioritySystem scanPair scanned "}},
        {namesOf(CTpgSystem{}),
         {"trunkSet groupSet spCallSet flags value2 offset codeSlots ",
          "telpage trunkSet groupSet spCallSet flags value2 offset slot0 slot1 slot2 slot3 "}},
        {namesOf(CNavlocOpts{}), {"fraction ", "1197 "}},
        {namesOf(CClearvoxOpts{}), {"fraction ", "1910 "}},
        {namesOf(CScanOpts{}), {"fraction ", "1077 "}},
        {namesOf(CSystemScanOpts{}), {"value ", "value "}},
        {namesOf(CPowerUpOpts{}), {"flag system group ", "flag system group "}},
        {namesOf(CGenRadioOpts{}), {"homeSystem callbackMessage ", "homeSystem callback "}},
        {namesOf(CScratchPadOpts{}),
         {"idsPresent phonesPresent ids phones ",
          "idsPresent phonesPresent id0 id1 id2 id3 id4 id5 id6 id7 id8 id9 phone0 phone1 phone2 "
          "phone3 phone4 phone5 phone6 phone7 phone8 phone9 "}},
        {namesOf(CKeypadCtrlOpts_N2{}), {"lockSequence ", "lockSequence "}},
        {namesOf(CDualsetOpts{}), {"value ", "value "}},
        {namesOf(CRciKeypad{}), {"keypad ", "key0 key1 key2 key3 key4 key5 key6 key7 key8 key9 "}},
        {namesOf(CVsOpts{}), {"data ", "data "}},
    };
    for (const auto& [got, want] : rows) {
        EXPECT_EQ(got.json, want.json);
        EXPECT_EQ(got.shown, want.shown);
    }
}

// Lines that join several members: their order inside the line is the format too.
TEST(MemberLists, JoinedLinesKeepTheirMembersOrder) {
    CConvChannel ch;
    ch.flag5 = ch.flag14 = true;
    FieldList f;
    ch.Describe(f);
    EXPECT_EQ(f.lines()[7], "flags: 01001");
    CTrunkSystem s;
    s.scanPair = {"A", "B"};
    s.scannedSystems = {"C", "D"};
    FieldList g;
    s.Describe(g);
    EXPECT_EQ(g.lines()[13], "scanPair: A|B");
    EXPECT_EQ(g.lines()[14], "scanned: C|D|");
}

}  // namespace
}  // namespace tw::test
