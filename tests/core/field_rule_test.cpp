#include "view/field_rule.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(FieldRule, MarksTellTheFaultAndWhatTheBoxAllows) {
    const FieldRule byte{0, 255};
    const FieldRule stepped{-10, 40, 5};
    EXPECT_EQ(fieldMark(byte, 0), std::nullopt);
    EXPECT_EQ(fieldMark(byte, 255), std::nullopt);
    EXPECT_EQ(fieldMark(byte, 256), "Out of range. Allowed: 0 to 255");
    EXPECT_EQ(fieldMark(byte, -1), "Out of range. Allowed: 0 to 255");
    EXPECT_EQ(fieldMark(byte, std::nullopt), "Not a whole number. Allowed: 0 to 255");
    // Steps count from the minimum, also below zero.
    EXPECT_EQ(fieldMark(stepped, -5), std::nullopt);
    EXPECT_EQ(fieldMark(stepped, 40), std::nullopt);
    EXPECT_EQ(fieldMark(stepped, 12), "Out of range. Allowed: -10 to 40 in steps of 5");
    EXPECT_EQ(fieldMark(stepped, -7), "Out of range. Allowed: -10 to 40 in steps of 5");
    EXPECT_EQ(fieldMark(stepped, 45), "Out of range. Allowed: -10 to 40 in steps of 5");
}

}  // namespace
}  // namespace tw
