#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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

}  // namespace
}  // namespace tw::test
