#pragma once

#include <array>
#include <cstdint>

namespace tw {

// Control ids of the HLN page.
namespace hln_ids {
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
}  // namespace hln_ids

// One tracking value: its control and its pair in the .tk2 file. The table is in record
// order, the order on the wire.
struct HlnTrackingField {
    int control;
    int filePair;
};

inline constexpr int kHlnTrackingCount = 27;

inline constexpr std::array<HlnTrackingField, kHlnTrackingCount> kHlnTrackingFields = {{
    {hln_ids::kHighPowerLow, 6},    {hln_ids::kLowPowerLow, 7},     {hln_ids::kModLow, 8},
    {hln_ids::kDataModLow, 5},      {hln_ids::kHighPowerMid, 11},   {hln_ids::kLowPowerMid, 12},
    {hln_ids::kModMid, 13},         {hln_ids::kDataModMid, 10},     {hln_ids::kHighPowerHigh, 1},
    {hln_ids::kLowPowerHigh, 2},    {hln_ids::kModHigh, 3},         {hln_ids::kDataModHigh, 0},
    {hln_ids::kTaHighPowerLow, 20}, {hln_ids::kTaLowPowerLow, 21},  {hln_ids::kTaModLow, 22},
    {hln_ids::kTaDataModLow, 19},   {hln_ids::kTaHighPowerMid, 24}, {hln_ids::kTaLowPowerMid, 25},
    {hln_ids::kTaModMid, 26},       {hln_ids::kTaDataModMid, 23},   {hln_ids::kTaHighPowerHigh, 16},
    {hln_ids::kTaLowPowerHigh, 17}, {hln_ids::kTaModHigh, 18},      {hln_ids::kTaDataModHigh, 15},
    {hln_ids::kSquelchLow, 9},      {hln_ids::kSquelchMid, 14},     {hln_ids::kSquelchHigh, 4},
}};

// Controls ZKT and ZLT radios do not let the technician change: all talk-around values,
// squelch mid and high, and every power value.
inline constexpr std::array<int, 20> kHlnZktLockedControls = {
    1070, 1075, 1078, 1083, 1086, 1089, 1092, 1095, 1098, 1101,
    1102, 1103, 1007, 1011, 1016, 1019, 1021, 1033, 1036, 1039};

}  // namespace tw
