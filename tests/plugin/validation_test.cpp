#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "fake_controls.h"
#include "plugin/validation/c_number.h"
#include "plugin/validation/field_table.h"
#include "plugin/validation/validate_field.h"
#include "plugin/validation/value_convert.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

struct Check {
    int result;
    std::string message;  // "" when no message
};

Check validate(int dialog, int control, const std::string& text,
               const CPersonality& p = CPersonality()) {
    FakeControls page;
    page.texts[control] = text;
    ScriptedUi ui;
    const int result = ValidateField(dialog, control, page, p, ui);
    const auto shown = ui.messages();
    EXPECT_LE(shown.size(), 1u);
    if (result == kFieldInvalid) {
        EXPECT_EQ(page.focused, std::vector<int>{control});
    }
    return {result, shown.empty() ? "" : shown[0]};
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

struct DecimalRow {
    int dialog, control;
    double min, max, increment;
    const char* range;
    const char* step;
};

// Decimal fields of each kind (step under one, a half step, a minimum above zero, a range
// shown without decimals) at their edges: minimum, below it, maximum, a hair above the
// allowed slack, the increment tolerance either side, an empty text and a text with a tail.
TEST(FieldValidation, DecimalFieldsAtTheirEdges) {
    const DecimalRow rows[] = {
        {141, 1197, 0, 5000, 20, "Value must be from 0.0 to 5000.0",
         "Value must be in increments of 20.0"},
        {192, 1814, 0, 4.0, 0.5, "Value must be from 0.0 to 4.0",
         "Value must be in increments of 0.5"},
        {192, 1816, 0, 3187.5, 12.5, "Value must be from 0.0 to 3187.5",
         "Value must be in increments of 12.5"},
        {194, 1893, 0.3, 5.0, 0.1, "Value must be from 0.3 to 5.0",
         "Value must be in increments of 0.1"},
        {195, 1909, 0, 3.0, 1.0, "Value must be from 0.0 to 3.0",
         "Value must be in increments of 1.0"},
        {195, 1910, 150, 6375, 25, "Value must be from 150.0 to 6375",
         "Value must be in increments of 25"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.dialog) + "/" + std::to_string(r.control));
        const Check valid{kFieldValid, ""}, range{kFieldInvalid, r.range},
            step{kFieldInvalid, r.step};
        auto expect = [&](const std::string& text, const Check& want) {
            const Check got = validate(r.dialog, r.control, text);
            EXPECT_EQ(got.result, want.result) << text;
            EXPECT_EQ(got.message, want.message) << text;
        };
        expect(number(r.min), valid);
        expect(number(r.min - r.increment), range);
        expect(number(r.max), valid);
        expect(number(r.max + 0.01), range);
        expect(number(r.max + 100), range);
        expect(number(r.min + r.increment + 0.009), valid);
        expect(number(r.min + r.increment * 1.5), step);
        expect("", r.min <= 0 ? valid : range);
        expect(number(r.max) + "abc", valid);
    }
}

// Texts that are no plain number, whole-number fields, the keypad's digit string, and pairs
// the plug-in does not check.
TEST(FieldValidation, TextsOfEveryKindOfField) {
    const std::string range15 = "Value must be from 0 to 15",
                      range90 = "Value must be from 90 to 360",
                      digits = "Characters allowed are 1-9",
                      length = "Number must be 15 digits or less ";
    struct Row {
        int dialog, control;
        std::string text;
        int result;
        std::string message;
    };
    const Row rows[] = {
        {194, 1893, "0.25", kFieldInvalid, "Value must be from 0.3 to 5.0"},
        {141, 1197, "12abc", kFieldInvalid, "Value must be in increments of 20.0"},
        {141, 1197, "abc", kFieldValid, ""},  // no numeric prefix: 0.0
        {192, 1814, "4,5", kFieldValid, ""},  // "4": a comma ends the number
        {179, 1690, "0", kFieldValid, ""},
        {179, 1690, "15", kFieldValid, ""},
        {179, 1690, "16", kFieldInvalid, range15},
        {179, 1690, "-1", kFieldInvalid, range15},
        {196, 1916, "12abc", kFieldValid, ""},
        {201, 1922, "99999999999999", kFieldInvalid, range15},
        {224, 1189, "4", kFieldInvalid, "Value must be from 5 to 20"},
        {224, 1192, "180", kFieldValid, ""},
        {224, 1192, "100", kFieldInvalid, "Value must be in increments of 90"},
        {224, 1192, "45", kFieldInvalid, range90},
        {224, 1192, "450", kFieldInvalid, range90},
        {226, 1887, "51", kFieldInvalid, "Value must be from 0 to 50"},
        {231, 1867, "", kFieldInvalid, "Value must be from 1 to 4 IN INCREMENTS OF 1"},
        {231, 1867, "4", kFieldValid, ""},
        {107, 1866, "", kFieldValid, ""},
        {107, 1866, "123456789123456", kFieldValid, ""},
        {107, 1866, "1234567891234560", kFieldInvalid, length},
        {107, 1866, "1234567891234567", kFieldInvalid, length},
        {107, 1866, "120", kFieldInvalid, digits},
        {107, 1866, "12a", kFieldInvalid, digits},
        {106, 1866, "0", kFieldNotMine, ""},
        {232, 1867, "9", kFieldNotMine, ""},
        {141, 9999, "x", kFieldNotMine, ""},
    };
    for (const auto& r : rows) {
        const Check got = validate(r.dialog, r.control, r.text);
        EXPECT_EQ(got.result, r.result) << r.dialog << "/" << r.control << " " << r.text;
        EXPECT_EQ(got.message, r.message) << r.dialog << "/" << r.control << " " << r.text;
    }
}

TEST(FieldValidation, DtmfBoxEnablesItsControlsButNeverBringsBackThreeOfThem) {
    for (bool on : {true, false}) {
        FakeControls page;
        page.boxes[1975] = on;
        ScriptedUi ui;
        EXPECT_EQ(ValidateField(192, 1975, page, CPersonality(), ui), kFieldValid);
        EXPECT_EQ(page.enabled.size(), on ? 14u : 17u);
        for (const auto& [id, state] : page.enabled) EXPECT_EQ(state, on) << id;
        for (int id : {1819, 1820, 346}) EXPECT_EQ(page.enabled.count(id), on ? 0u : 1u);
        FakeControls opened;
        opened.boxes[1975] = on;
        EXPECT_EQ(InitControl(192, 1975, opened, CPersonality(), ui), 0);
        EXPECT_EQ(opened.enabled, page.enabled);
    }
}

TEST(FieldRanges, ReportedRangesIncludingTheTwoThatDifferFromValidation) {
    // {known, low, high, increment}; an unknown pair writes nothing.
    const auto range = [](int dialog, int control) {
        double lo = -7, hi = -7, inc = -7;
        const bool known = GetRange(dialog, control, &lo, &hi, &inc);
        return std::vector<double>{known ? 1.0 : 0.0, lo, hi, inc};
    };
    EXPECT_EQ(range(194, 1893), (std::vector<double>{1, 0, 5, 0.1}));
    EXPECT_EQ(range(198, 1936), (std::vector<double>{1, 0, 15.5, 0.5}));
    EXPECT_EQ(validate(198, 1936, "99").result, kFieldNotMine);
    EXPECT_EQ(range(231, 1867), (std::vector<double>{1, 1, 4, 1}));
    EXPECT_EQ(range(192, 1975), (std::vector<double>{0, -7, -7, -7}));
    EXPECT_EQ(range(107, 1866), (std::vector<double>{0, -7, -7, -7}));
    EXPECT_EQ(rangeKeys().size(), 18u);
}

// Every stored count survives the fraction the option holds, for every field with a range.
TEST(ValueConversion, CountsSurviveTheFractionForEveryRangedField) {
    for (const RangeKey& k : rangeKeys()) {
        const FieldRange r = *findFieldRange(k.dialog, k.control);
        for (int count = 0; count <= 255; ++count) {
            const double fraction = *countToFraction(k.dialog, k.control, count);
            EXPECT_NEAR(fraction, (count * r.increment - r.min) / (r.max - r.min), 1e-9);
            EXPECT_EQ(fractionToCount(k.dialog, k.control, fraction), count)
                << k.dialog << "/" << k.control;
        }
    }
}

TEST(ValueConversion, ValuesSnapToTheirStepAndRoundToTheNearestCount) {
    // 4.3 on the 0.1 field: 43 counts, not the 42 a truncation gives.
    EXPECT_EQ(fractionToCount(194, 1893, 4.3 / 5.0), 43);
    // Half a step rounds up; a value between steps snaps to the nearer one.
    EXPECT_EQ(fractionToCount(141, 1197, 30.0 / 5000), 2);
    EXPECT_EQ(fractionToCount(141, 1197, 29.0 / 5000), 1);
    EXPECT_EQ(fractionToCount(195, 1910, -1.0), 0);
    EXPECT_EQ(countToFraction(195, 1910, 0), -150.0 / 6225);  // kept below range for the check
    EXPECT_FALSE(countToFraction(192, 1975, 1));
    EXPECT_FALSE(fractionToCount(141, 1197, std::nan("")));
}

TEST(CNumbers, DecimalPrefixInTheCLocaleOnly) {
    const std::pair<const char*, double> rows[] = {
        {"4.5", 4.5}, {"  -2.5e1x", -25}, {"abc", 0}, {"nan", 0}, {"inf", 0}, {"0x10", 0},
        {".5", 0.5},  {"5.", 5},          {"1e", 1},  {"+3", 3},  {"", 0},    {"-", 0},
    };
    for (const auto& [text, value] : rows) EXPECT_EQ(cDecimal(text), value) << text;
    EXPECT_EQ(cDecimal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(cDecimal("-1E999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(cDecimal("1E-999"), 0.0);
    EXPECT_EQ(cInteger("12abc"), 12);
    EXPECT_EQ(cInteger(" -7"), -7);
    EXPECT_EQ(cInteger("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(cInteger("-99999999999"), std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace tw::test
