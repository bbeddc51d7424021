#pragma once

#include <array>
#include <cstdint>

#include "view/field_rule.h"

namespace tw::hln {

// Control ids of the HLN page.
namespace ids {
inline constexpr int kModel = 1062;
inline constexpr int kSerial = 1074;
inline constexpr int kFeatures = 1073;

inline constexpr int kSquelchLow = 1004, kSquelchMid = 1007, kSquelchHigh = 1011;
inline constexpr int kHighPowerLow = 1016, kHighPowerMid = 1019, kHighPowerHigh = 1021;
inline constexpr int kLowPowerLow = 1033, kLowPowerMid = 1036, kLowPowerHigh = 1039;
inline constexpr int kModLow = 1042, kModMid = 1045, kModHigh = 1048;
inline constexpr int kDataModLow = 1051, kDataModMid = 1052, kDataModHigh = 1053;
inline constexpr int kTaHighPowerLow = 1070, kTaHighPowerMid = 1075, kTaHighPowerHigh = 1078;
inline constexpr int kTaLowPowerLow = 1083, kTaLowPowerMid = 1086, kTaLowPowerHigh = 1089;
inline constexpr int kTaModLow = 1092, kTaModMid = 1095, kTaModHigh = 1098;
inline constexpr int kTaDataModLow = 1101, kTaDataModMid = 1102, kTaDataModHigh = 1103;
}  // namespace ids

// What a tracking value may hold, and the message that names its row when it holds more.
struct HlnValueRange {
    FieldRule rule;
    const char* message;
};

inline constexpr HlnValueRange kHlnModulationRange{{0, 63},
                                                   "Valid range for modulation setting is 0-63."};
inline constexpr HlnValueRange kHlnDataModulationRange{
    {0, 63}, "Valid range for data modulation setting is 0-63."};
inline constexpr HlnValueRange kHlnSquelchRange{{144, 226},
                                                "Valid range for squelch setting is 144-226."};
inline constexpr HlnValueRange kHlnHighPowerRange{{0, 255},
                                                  "Valid range for high power setting is 0-255."};
inline constexpr HlnValueRange kHlnLowPowerRange{{0, 255},
                                                 "Valid range for low power setting is 0-255."};

// One tracking value: its control, its pair in the .tk2 file, what an invalid-character
// message calls it and its range. The table is in record order, the order on the wire.
struct HlnTrackingField {
    int control;
    int filePair;
    const char* where;
    const HlnValueRange* range;
};

inline constexpr int kHlnTrackingCount = 27;

inline constexpr std::array<HlnTrackingField, kHlnTrackingCount> kHlnTrackingFields = {{
    {ids::kHighPowerLow, 6, "low range high power", &kHlnHighPowerRange},
    {ids::kLowPowerLow, 7, "low range low power", &kHlnLowPowerRange},
    {ids::kModLow, 8, "low range modulation", &kHlnModulationRange},
    {ids::kDataModLow, 5, "low range data modulation", &kHlnDataModulationRange},
    {ids::kHighPowerMid, 11, "mid range high power", &kHlnHighPowerRange},
    {ids::kLowPowerMid, 12, "mid range low power", &kHlnLowPowerRange},
    {ids::kModMid, 13, "mid range modulation", &kHlnModulationRange},
    {ids::kDataModMid, 10, "mid range data modulation", &kHlnDataModulationRange},
    {ids::kHighPowerHigh, 1, "high range high power", &kHlnHighPowerRange},
    {ids::kLowPowerHigh, 2, "high range low power", &kHlnLowPowerRange},
    {ids::kModHigh, 3, "high range modulation", &kHlnModulationRange},
    {ids::kDataModHigh, 0, "high range data modulation", &kHlnDataModulationRange},
    {ids::kTaHighPowerLow, 20, "talkaround low range high power", &kHlnHighPowerRange},
    {ids::kTaLowPowerLow, 21, "talkaround low range low power", &kHlnLowPowerRange},
    {ids::kTaModLow, 22, "talkaround low range modulation", &kHlnModulationRange},
    {ids::kTaDataModLow, 19, "talkaround low range data modulation", &kHlnDataModulationRange},
    {ids::kTaHighPowerMid, 24, "talkaround mid range high power", &kHlnHighPowerRange},
    {ids::kTaLowPowerMid, 25, "talkaround mid range low power", &kHlnLowPowerRange},
    {ids::kTaModMid, 26, "talkaround mid range modulation", &kHlnModulationRange},
    {ids::kTaDataModMid, 23, "talkaround mid range data modulation", &kHlnDataModulationRange},
    {ids::kTaHighPowerHigh, 16, "talkaround high range high power", &kHlnHighPowerRange},
    {ids::kTaLowPowerHigh, 17, "talkaround high range low power", &kHlnLowPowerRange},
    {ids::kTaModHigh, 18, "talkaround high range modulation", &kHlnModulationRange},
    {ids::kTaDataModHigh, 15, "talkaround high range data modulation", &kHlnDataModulationRange},
    {ids::kSquelchLow, 9, "low range squelch", &kHlnSquelchRange},
    {ids::kSquelchMid, 14, "mid range squelch", &kHlnSquelchRange},
    {ids::kSquelchHigh, 4, "high range squelch", &kHlnSquelchRange},
}};

// Controls ZKT and ZLT radios do not let the technician change: all talk-around values,
// squelch mid and high, and every power value.
inline constexpr std::array<int, 20> kHlnZktLockedControls = {
    ids::kTaHighPowerLow, ids::kTaHighPowerMid, ids::kTaHighPowerHigh, ids::kTaLowPowerLow,
    ids::kTaLowPowerMid,  ids::kTaLowPowerHigh, ids::kTaModLow,        ids::kTaModMid,
    ids::kTaModHigh,      ids::kTaDataModLow,   ids::kTaDataModMid,    ids::kTaDataModHigh,
    ids::kSquelchMid,     ids::kSquelchHigh,    ids::kHighPowerLow,    ids::kHighPowerMid,
    ids::kHighPowerHigh,  ids::kLowPowerLow,    ids::kLowPowerMid,     ids::kLowPowerHigh};

// The page as the window lays it out: the identity boxes with their labels and lengths, and
// the two grids of tracking values, each row a label over its Low, Mid and High boxes.
struct HlnIdentityBox {
    const char* label;
    int id;
    int maxLength;
};
inline constexpr std::array<HlnIdentityBox, 2> kHlnIdentityBoxes = {
    {{"Radio Type:", ids::kModel, 15}, {"Serial Number:", ids::kSerial, 12}}};

struct HlnGridRow {
    const char* label;
    std::array<int, 3> boxes;  // Low, Mid, High
};
inline constexpr std::array<HlnGridRow, 5> kHlnTrackingGrid = {{
    {"Squelch:", {ids::kSquelchLow, ids::kSquelchMid, ids::kSquelchHigh}},
    {"High Power:", {ids::kHighPowerLow, ids::kHighPowerMid, ids::kHighPowerHigh}},
    {"Low Power:", {ids::kLowPowerLow, ids::kLowPowerMid, ids::kLowPowerHigh}},
    {"Modulation:", {ids::kModLow, ids::kModMid, ids::kModHigh}},
    {"Data Mod:", {ids::kDataModLow, ids::kDataModMid, ids::kDataModHigh}},
}};
inline constexpr std::array<HlnGridRow, 4> kHlnTalkAroundGrid = {{
    {"High Power:", {ids::kTaHighPowerLow, ids::kTaHighPowerMid, ids::kTaHighPowerHigh}},
    {"Low Power:", {ids::kTaLowPowerLow, ids::kTaLowPowerMid, ids::kTaLowPowerHigh}},
    {"Modulation:", {ids::kTaModLow, ids::kTaModMid, ids::kTaModHigh}},
    {"Data Mod:", {ids::kTaDataModLow, ids::kTaDataModMid, ids::kTaDataModHigh}},
}};

}  // namespace tw::hln
