#include "families/compact/compact_tables.h"

#include <utility>

namespace tw::compact {

namespace {

// Both radios keep the first eleven values at the same addresses and in the same order.
std::vector<TrackingField> commonFields() {
    return {
        {kLowVoltageCutoff, 0, 0, "Low Voltage Cutoff"},
        {kSquelchClosingWide, 1, 2, "Squelch Closing, Wide Band"},
        {kSquelchOpeningWide, 2, 1, "Squelch Opening, Wide Band"},
        {kSquelchClosingNarrow, 3, 4, "Squelch Closing, Narr Band"},
        {kSquelchOpeningNarrow, 4, 3, "Squelch Opening, Narr Band"},
        {kRfLowPowerLow, 5, 5, "RF Low Power, Low"},
        {kRfLowPowerMid, 6, 6, "RF Low Power, Mid"},
        {kRfLowPowerHigh, 7, 7, "RF Low Power, High"},
        {kRfHighPowerLow, 8, 8, "RF High Power, Low"},
        {kRfHighPowerMid, 9, 9, "RF High Power, Mid"},
        {kRfHighPowerHigh, 10, 10, "RF High Power, High"},
    };
}

// The squelch rows both windows start with, and the power table and heads they share.
std::vector<GridRow> squelchRows() {
    return {{"Opening", {kSquelchOpeningWide, kSquelchOpeningNarrow}},
            {"Closing ", {kSquelchClosingWide, kSquelchClosingNarrow}}};
}

ValueGrid squelchGrid(std::vector<GridRow> rows) {
    return {{"Wide Band", "Narr Band"}, std::move(rows)};
}

ValueGrid powerTable() {
    return {{"Low", "Mid", "High"},
            {{"RF Low Power", {kRfLowPowerLow, kRfLowPowerMid, kRfLowPowerHigh}},
             {"RF High Power", {kRfHighPowerLow, kRfHighPowerMid, kRfHighPowerHigh}},
             {"TX Dev(Wid Bnd)", {kTxDevLow, kTxDevMid, kTxDevHigh}}}};
}

CompactModel makeWlb() {
    CompactModel m;
    m.family = "wlb";
    m.radioName = "WLB";
    m.extension = "tk5";
    m.fileFilter = "Tracking Data|*.tk5|All Files|*.*||";
    m.identity = "21";
    m.recordSize = 21;
    m.fields = commonFields();
    const TrackingField rest[] = {
        {kRefOscillatorAdjust, 11, 11, "Ref Oscillator Frequency Adjust"},
        {kTxDevLow, 12, 12, "TX Dev, Low"},
        {kTxDevMid, 13, 13, "TX Dev, Mid"},
        {kTxDevHigh, 14, 14, "TX Dev, High"},
        {kAdjustableSquelchOffset, 15, 15, "Adjustable Squelch Offset"},
        {kSquelchOffsetLowWide, 16, 16, "Squelch Offset Low, Wide Band"},
        {kSquelchOffsetLowNarrow, 17, 17, "Squelch Offset Low, Narr Band"},
        {kSquelchOffsetHighWide, 18, 18, "Squelch Offset High, Wide Band"},
        {kSquelchOffsetHighNarrow, 19, 19, "Squelch Offset High, Narr Band"},
    };
    m.fields.insert(m.fields.end(), std::begin(rest), std::end(rest));
    m.writtenBlocks = {{0x0120, 3, 0},  {0x012D, 2, 3},  {0x013A, 6, 5},
                       {0x014D, 1, 11}, {0x016A, 4, 12}, {0x018A, 4, 16}};
    m.zeroWrite = {0x019A, 6, 0};
    m.bandBlock = {0x000A, 1, 20};
    m.versions = {{"03", "5.0B"}, {"08", "5.4B"}, {"09", "5.5B"},
                  {"10", "5.8A"}, {"11", "5.9B"}, {"12", "5.9C"}};
    m.radioBandNames = {"136-155MHz", "150-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.fileBandNames = m.radioBandNames;
    m.defaultBandNames = {"136-155MHz", "150.8-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.defaultsButton = kWlbDefaultsButton;
    m.dialogTemplate = 153;
    m.rangeLines = {"VHF -   136.0000 - 155.0000", "VHF -   150.8000 - 174.0000",
                    "UHF -   403.0000 - 440.0000", "UHF -   440.0000 - 470.0000",
                    "UHF -   470.0000 - 512.0000"};
    m.defaults = {
        {kRfHighPowerLow, {67, 76, 80, 99, 113}},
        {kRfHighPowerMid, {83, 85, 82, 102, 117}},
        {kRfHighPowerHigh, {91, 99, 100, 108, 127}},
        {kRfLowPowerLow, {44, 38, 47, 54, 62}},
        {kRfLowPowerMid, {46, 41, 47, 56, 62}},
        {kRfLowPowerHigh, {49, 43, 50, 56, 62}},
        {kTxDevLow, {136, 153, 118, 149, 135}},
        {kTxDevMid, {132, 153, 119, 149, 131}},
        {kTxDevHigh, {127, 152, 119, 149, 129}},
        {kLowVoltageCutoff, {133, 131, 140, 131, 134}},
        {kRefOscillatorAdjust, {113, 118, 117, 115, 114}},
        {kSquelchOpeningWide, {53, 36, 41, 34, 22}},
        {kSquelchOpeningNarrow, {51, 32, 40, 33, 18}},
        {kSquelchClosingWide, {55, 40, 46, 38, 26}},
        {kSquelchClosingNarrow, {53, 36, 45, 37, 22}},
        {kSquelchOffsetLowWide, {-2, -3, -8, -4, 4}},
        {kSquelchOffsetLowNarrow, {-4, -5, -9, -4, 4}},
        {kSquelchOffsetHighWide, {1, 3, -6, 4, 15}},
        {kSquelchOffsetHighNarrow, {1, 4, -4, 5, 17}},
    };
    m.everyBandControl = kAdjustableSquelchOffset;
    m.everyBandValue = 255;
    std::vector<GridRow> squelch = squelchRows();
    squelch.push_back({"Offset Low", {kSquelchOffsetLowWide, kSquelchOffsetLowNarrow}});
    squelch.push_back({"Offset High", {kSquelchOffsetHighWide, kSquelchOffsetHighNarrow}});
    m.layout.squelch = squelchGrid(std::move(squelch));
    m.layout.table = powerTable();
    m.layout.singles = {{},
                        {{"Ref Oscillator Frequency Adjust", {kRefOscillatorAdjust}},
                         {"Low Voltage Cutoff", {kLowVoltageCutoff}},
                         {"Adjustable Squelch Offset", {kAdjustableSquelchOffset}}}};
    m.layout.firstControl = kSquelchOpeningWide;
    return m;
}

CompactModel makeMarten60p() {
    CompactModel m;
    m.family = "marten60p";
    m.radioName = "MARTEN 60P";
    m.extension = "tk6";
    m.fileFilter = "Tracking Data|*.tk6|All Files|*.*||";
    m.identity = "1D";
    m.recordSize = 17;
    m.fields = commonFields();
    const TrackingField rest[] = {
        {kTxDevLow, 11, 11, "TX Dev, Low"},
        {kTxDevMid, 12, 12, "TX Dev, Mid"},
        {kTxDevHigh, 13, 13, "TX Dev, High"},
        {kRefOscillatorAdjust, 14, 14, "Ref Oscillator Frequency Adjust"},
        {kTxDevOffset, 15, 15, "TX Dev Offset"},
    };
    m.fields.insert(m.fields.end(), std::begin(rest), std::end(rest));
    m.writtenBlocks = {
        {0x0120, 3, 0}, {0x012D, 2, 3}, {0x013A, 6, 5}, {0x014A, 4, 11}, {0x015D, 1, 15}};
    m.bandBlock = {0x000A, 1, 16};
    m.versions = {{"01", "6.1A"}};
    m.radioBandNames = {"136-155MHz", "150-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.fileBandNames = {"136-155MHz", "150.775-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.defaultBandNames = m.fileBandNames;
    m.defaultsButton = kMarten60pDefaultsButton;
    m.dialogTemplate = 155;
    m.rangeLines = {"VHF -   136.0000 - 155.0000", "VHF -   150.7750 - 174.0000",
                    "UHF -   403.0000 - 440.0000", "UHF -   440.0000 - 470.0000",
                    "UHF -   470.0000 - 512.0000"};
    m.defaults = {
        {kRfHighPowerLow, {200, 181, 125, 132, 188}},
        {kRfHighPowerMid, {189, 186, 127, 137, 182}},
        {kRfHighPowerHigh, {177, 191, 138, 143, 169}},
        {kRfLowPowerLow, {122, 140, 105, 104, 159}},
        {kRfLowPowerMid, {115, 131, 106, 110, 155}},
        {kRfLowPowerHigh, {107, 129, 112, 114, 144}},
        {kTxDevLow, {102, 102, 105, 114, 108}},
        {kTxDevMid, {104, 101, 105, 112, 108}},
        {kTxDevHigh, {104, 102, 105, 110, 108}},
        {kLowVoltageCutoff, {139, 139, 136, 136, 136}},
        {kRefOscillatorAdjust, {146, 128, 129, 132, 129}},
        {kSquelchOpeningWide, {170, 174, 185, 181, 182}},
        {kSquelchOpeningNarrow, {209, 221, 235, 224, 225}},
        {kSquelchClosingWide, {102, 89, 105, 102, 102}},
        {kSquelchClosingNarrow, {112, 118, 120, 112, 115}},
    };
    m.everyBandControl = kTxDevOffset;
    m.everyBandValue = 249;
    m.layout.squelch = squelchGrid(squelchRows());
    m.layout.table = powerTable();
    m.layout.singles = {{},
                        {{"Ref Oscillator Frequency Adjust", {kRefOscillatorAdjust}},
                         {"Low Voltage Cutoff", {kLowVoltageCutoff}},
                         {"TX Dev Offset", {kTxDevOffset}}}};
    m.layout.textsFirst = true;
    return m;
}

}  // namespace

const CompactModel& wlbModel() {
    static const CompactModel model = makeWlb();
    return model;
}

const CompactModel& marten60pModel() {
    static const CompactModel model = makeMarten60p();
    return model;
}

std::string versionText(const CompactModel& model, const std::string& code) {
    for (const auto& [known, text] : model.versions)
        if (code == known) return text;
    return "undefined";
}

std::string bandName(const std::array<const char*, kBandCount>& names, int band) {
    return band >= 0 && band < kBandCount ? names[static_cast<std::size_t>(band)] : "invalid";
}

std::vector<std::uint8_t> recordToFile(const CompactModel& model,
                                       const std::vector<std::uint8_t>& record) {
    std::vector<std::uint8_t> file(record);
    for (const auto& f : model.fields) file[f.fileByte] = record[f.recordByte];
    return file;
}

std::vector<std::uint8_t> fileToRecord(const CompactModel& model,
                                       const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> record(file);
    for (const auto& f : model.fields) record[f.recordByte] = file[f.fileByte];
    return record;
}

}  // namespace tw::compact
