#include "families/compact/compact_tables.h"

namespace tw::compact {

namespace {

// Both radios keep the first eleven values at the same addresses and in the same order.
std::vector<TrackingField> commonFields() {
    return {
        {2058, 0, 0, "Low Voltage Cutoff"},         {2042, 1, 2, "Squelch Closing, Wide Band"},
        {2040, 2, 1, "Squelch Opening, Wide Band"}, {2043, 3, 4, "Squelch Closing, Narr Band"},
        {2041, 4, 3, "Squelch Opening, Narr Band"}, {2048, 5, 5, "RF Low Power, Low"},
        {2049, 6, 6, "RF Low Power, Mid"},          {2056, 7, 7, "RF Low Power, High"},
        {2050, 8, 8, "RF High Power, Low"},         {2051, 9, 9, "RF High Power, Mid"},
        {2052, 10, 10, "RF High Power, High"},
    };
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
        {2057, 11, 11, "Ref Oscillator Frequency Adjust"},
        {2053, 12, 12, "TX Dev, Low"},
        {2054, 13, 13, "TX Dev, Mid"},
        {2055, 14, 14, "TX Dev, High"},
        {2059, 15, 15, "Adjustable Squelch Offset"},
        {2044, 16, 16, "Squelch Offset Low, Wide Band"},
        {2045, 17, 17, "Squelch Offset Low, Narr Band"},
        {2046, 18, 18, "Squelch Offset High, Wide Band"},
        {2047, 19, 19, "Squelch Offset High, Narr Band"},
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
    m.defaultsButton = 2066;
    m.dialogTemplate = 153;
    m.rangeLines = {"VHF -   136.0000 - 155.0000", "VHF -   150.8000 - 174.0000",
                    "UHF -   403.0000 - 440.0000", "UHF -   440.0000 - 470.0000",
                    "UHF -   470.0000 - 512.0000"};
    m.defaults = {
        {2050, {67, 76, 80, 99, 113}},     {2051, {83, 85, 82, 102, 117}},
        {2052, {91, 99, 100, 108, 127}},   {2048, {44, 38, 47, 54, 62}},
        {2049, {46, 41, 47, 56, 62}},      {2056, {49, 43, 50, 56, 62}},
        {2053, {136, 153, 118, 149, 135}}, {2054, {132, 153, 119, 149, 131}},
        {2055, {127, 152, 119, 149, 129}}, {2058, {133, 131, 140, 131, 134}},
        {2057, {113, 118, 117, 115, 114}}, {2040, {53, 36, 41, 34, 22}},
        {2041, {51, 32, 40, 33, 18}},      {2042, {55, 40, 46, 38, 26}},
        {2043, {53, 36, 45, 37, 22}},      {2044, {-2, -3, -8, -4, 4}},
        {2045, {-4, -5, -9, -4, 4}},       {2046, {1, 3, -6, 4, 15}},
        {2047, {1, 4, -4, 5, 17}},
    };
    m.everyBandControl = 2059;
    m.everyBandValue = 255;
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
        {2053, 11, 11, "TX Dev, Low"},   {2054, 12, 12, "TX Dev, Mid"},
        {2055, 13, 13, "TX Dev, High"},  {2057, 14, 14, "Ref Oscillator Frequency Adjust"},
        {2063, 15, 15, "TX Dev Offset"},
    };
    m.fields.insert(m.fields.end(), std::begin(rest), std::end(rest));
    m.writtenBlocks = {
        {0x0120, 3, 0}, {0x012D, 2, 3}, {0x013A, 6, 5}, {0x014A, 4, 11}, {0x015D, 1, 15}};
    m.bandBlock = {0x000A, 1, 16};
    m.versions = {{"01", "6.1A"}};
    m.radioBandNames = {"136-155MHz", "150-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.fileBandNames = {"136-155MHz", "150.775-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"};
    m.defaultBandNames = m.fileBandNames;
    m.defaultsButton = 2068;
    m.dialogTemplate = 155;
    m.rangeLines = {"VHF -   136.0000 - 155.0000", "VHF -   150.7750 - 174.0000",
                    "UHF -   403.0000 - 440.0000", "UHF -   440.0000 - 470.0000",
                    "UHF -   470.0000 - 512.0000"};
    m.defaults = {
        {2050, {200, 181, 125, 132, 188}}, {2051, {189, 186, 127, 137, 182}},
        {2052, {177, 191, 138, 143, 169}}, {2048, {122, 140, 105, 104, 159}},
        {2049, {115, 131, 106, 110, 155}}, {2056, {107, 129, 112, 114, 144}},
        {2053, {102, 102, 105, 114, 108}}, {2054, {104, 101, 105, 112, 108}},
        {2055, {104, 102, 105, 110, 108}}, {2058, {139, 139, 136, 136, 136}},
        {2057, {146, 128, 129, 132, 129}}, {2040, {170, 174, 185, 181, 182}},
        {2041, {209, 221, 235, 224, 225}}, {2042, {102, 89, 105, 102, 102}},
        {2043, {112, 118, 120, 112, 115}},
    };
    m.everyBandControl = 2063;
    m.everyBandValue = 249;
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
