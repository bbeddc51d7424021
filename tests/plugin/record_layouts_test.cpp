#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "plugin/codec/record_layouts.h"

namespace tw::test {
namespace {

// Every row of one record's table: inside the record, on bits no other row uses, on a
// member no other row names, and giving back through the decoder what the encoder wrote.
template <class T, std::size_t N>
void checkLayout(const std::array<BitField<T>, N>& layout, std::size_t size, const char* what) {
    std::array<unsigned, 16> used{};
    std::set<void (*)(T&, int)> members;
    for (std::size_t i = 0; i < N; ++i) {
        const BitField<T>& f = layout[i];
        SCOPED_TRACE(std::string(what) + " row " + std::to_string(i));
        ASSERT_LT(f.byte + (f.wide ? 1 : 0), size);
        ASSERT_TRUE(f.hi >= f.lo && f.lo >= 0 && f.hi <= 7);
        EXPECT_TRUE(members.insert(f.set).second) << "a second row for one member";

        // The largest value the field holds, and one with its lowest bit alone, both as the
        // member sees them.
        for (unsigned stored : {f.mask(), 1u}) {
            const int value = static_cast<int>(stored) * f.scale - f.bias;
            T in{};
            f.set(in, value);
            std::array<std::uint8_t, 16> bytes{};
            writeFields(std::array<BitField<T>, 1>{f}, in, bytes.data());
            T out{};
            readFields(std::array<BitField<T>, 1>{f}, bytes.data(), out);
            EXPECT_EQ(f.get(out), f.get(in));
        }
        // The bits the row owns: all of them written for an all-ones stored value.
        T ones{};
        f.set(ones, f.inverted ? -f.bias : static_cast<int>(f.mask()) * f.scale - f.bias);
        std::array<std::uint8_t, 16> bytes{};
        writeFields(std::array<BitField<T>, 1>{f}, ones, bytes.data());
        for (std::size_t b = 0; b < size; ++b) {
            EXPECT_EQ(used[b] & bytes[b], 0u) << "byte " << b << " shared with another row";
            used[b] |= bytes[b];
        }
        EXPECT_NE(bytes[f.byte], 0) << "the row writes nothing";
    }
}

// The long form's conventional channel is read through both of its tables.
template <class T, std::size_t A, std::size_t B>
std::array<BitField<T>, A + B> joined(const std::array<BitField<T>, A>& a,
                                      const std::array<BitField<T>, B>& b) {
    std::array<BitField<T>, A + B> all{};
    std::copy(a.begin(), a.end(), all.begin());
    std::copy(b.begin(), b.end(), all.begin() + A);
    return all;
}

TEST(RecordLayouts, EveryRowHasBitsOfItsOwnAndReadsBackWhatItWrote) {
    checkLayout(records::kGroup, records::kGroupFixedSize, "group");
    checkLayout(joined(records::kConvChannel, records::kConvChannelLongFine), 7,
                "conventional channel");
    checkLayout(records::kTrunkedSystem, records::kTrunkedFixedSize, "trunked system");
    checkLayout(records::kTelpageSystem, records::kTelpageFixedSize, "TELPAGE system");
}

// Records written from the diagrams by hand, one per pattern: in pattern p a flag is set
// when bit p of its number is, so that any two flags differ in some record and no two
// rows can trade places unseen. Each record decodes back to the object it came from.
template <class T, std::size_t N>
void checkRecords(const std::array<BitField<T>, N>& layout,
                  const std::vector<std::pair<T, std::vector<std::uint8_t>>>& cases) {
    for (const auto& [object, expected] : cases) {
        std::vector<std::uint8_t> bytes(expected.size(), 0);
        writeFields(layout, object, bytes.data());
        EXPECT_EQ(bytes, expected);
        T back{};
        readFields(layout, expected.data(), back);
        FieldList a, b;
        object.Describe(a);
        back.Describe(b);
        EXPECT_EQ(firstDifference(a, b), "");
    }
}

CGroup group(int value3, int id, int steps, std::array<bool, 3> flags,
             std::array<bool, 4> inverted) {
    CGroup g;
    g.value3 = value3;
    g.id = id;
    g.steps = steps;
    g.flagA = flags[0];
    g.flagB = flags[1];
    g.flagC = flags[2];
    g.inverted = inverted;
    return g;
}

CConvChannel channel(std::array<bool, 8> f) {
    CConvChannel ch;
    ch.flag7 = f[0];
    ch.specialMode = f[1];
    ch.flag5 = f[2];
    ch.flag43 = f[3];
    ch.upper = f[4];
    ch.flag14 = f[5];
    ch.fineRx = f[6];
    ch.fineTx = f[7];
    return ch;
}

CTrunkSystem trunked(int value6, int value14, int value5, int value3, std::array<bool, 3> f) {
    CTrunkSystem s;
    s.value6 = value6;
    s.value14 = value14;
    s.value5 = value5;
    s.value3 = value3;
    s.flagA = f[0];
    s.flagB = f[1];
    s.flag = f[2];
    return s;
}

CTpgSystem telpage(int offset, int value2, std::array<bool, 8> flags) {
    CTpgSystem s;
    s.offset = offset;
    s.value2 = value2;
    s.flags = flags;
    return s;
}

TEST(RecordLayouts, RecordsMatchTheirDiagrams) {
    // flagA 1, flagB 2, flagC 3, /f0 4, /f1 5, /f2 6, /f3 7
    checkRecords(records::kGroup,
                 {{group(5, 0x2A5, 10, {1, 0, 1}, {0, 1, 0, 1}), {0xAA, 0xA5, 0x2E}},
                  {group(2, 0x15A, 5, {0, 1, 1}, {0, 0, 1, 1}), {0x51, 0x5A, 0x1D}},
                  {group(7, 0x7FF, 15, {0, 0, 0}, {1, 1, 1, 1}), {0x3F, 0xFF, 0x03}}});
    // flag7 1, special mode 2, flag5 3, flag43 4, upper 5, flag14 6, fine receive 7; fine
    // transmit alone in a record of its own
    const auto both = joined(records::kConvChannel, records::kConvChannelLongFine);
    checkRecords(both, {{channel({1, 0, 1, 0, 1, 0, 1, 0}), {0xA4, 0x20, 0, 0, 0, 0, 0}},
                        {channel({0, 1, 1, 0, 0, 1, 1, 0}), {0x60, 0x30, 0, 0, 0, 0, 0}},
                        {channel({0, 0, 0, 1, 1, 1, 1, 0}), {0x0C, 0x30, 0, 0, 0, 0, 0}},
                        {channel({0, 0, 0, 0, 0, 0, 0, 1}), {0, 0, 0, 0, 0x20, 0, 0}}});
    // flagA 1, flagB 2, flag 3
    checkRecords(records::kTrunkedSystem, {{trunked(0x2A, 0x1234, 0x11, 5, {1, 0, 1}),
                                            {0, 0x2A, 0x52, 0x34, 0x11, 0, 0xA0, 0, 0, 0, 0x80}},
                                           {trunked(0x15, 0x2DCB, 0x0E, 2, {0, 1, 1}),
                                            {0, 0x15, 0xAD, 0xCB, 0x0E, 0, 0x40, 0, 0, 0, 0x80}}});
    // flag n numbered n + 1
    checkRecords(records::kTelpageSystem,
                 {{telpage(3, 1, {1, 0, 1, 0, 1, 0, 1, 0}), {0x10, 0x48, 0, 0, 0, 0, 0x51}},
                  {telpage(-5, 2, {0, 1, 1, 0, 0, 1, 1, 0}), {0, 0xC0, 0, 0, 0, 0, 0x92}},
                  {telpage(26, 3, {0, 0, 0, 1, 1, 1, 1, 0}), {0, 0x3F, 0, 0, 0, 0, 0xD3}},
                  {telpage(0, 0, {0, 0, 0, 0, 0, 0, 0, 1}), {0, 0x05, 0, 0, 0, 0, 0x20}}});
}

}  // namespace
}  // namespace tw::test
