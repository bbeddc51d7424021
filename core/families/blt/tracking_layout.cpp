#include "families/blt/tracking_layout.h"

#include <array>
#include <set>

#include "util/text.h"

namespace tw::blt {

namespace {

// Arrays by their part in most layouts.
constexpr std::size_t kGeneral = 0;  // frequencies, single values
constexpr std::size_t kRows = 1;     // squelch, deviation and balance rows
constexpr std::size_t kPoints = 2;   // power-point frequencies
constexpr std::size_t kTune = 3;     // tune voltages
constexpr std::size_t kLevels = 4;   // power levels, deviation tables
constexpr std::size_t kPower = 5;    // power tables

LayoutItem text(std::string line) {
    return {std::move(line), {}, {}};
}

LayoutItem row(std::string label, std::string name, std::vector<Segment> segments) {
    return {std::move(label), std::move(name), std::move(segments)};
}

Segment seg(std::size_t array, std::size_t index, std::size_t count,
            std::vector<std::string> formats, bool wide = false) {
    return {array, index, count, std::move(formats), wide};
}

// "TRACKING DATA", the TX and RX heads and the start and end frequencies.
void addHead(std::vector<LayoutItem>& out, bool mixedCase, const char* headFormat,
             const char* labelFormat) {
    out.push_back(text("TRACKING DATA"));
    out.push_back(text("-------------"));
    out.push_back(text(""));
    out.push_back(text(format(headFormat, "TX", "RX")));
    out.push_back(text(format(headFormat, "--", "--")));
    const char* start = mixedCase ? "Start Frequency" : "START FREQUENCY";
    const char* end = mixedCase ? "End Frequency" : "END FREQUENCY";
    out.push_back(row(format(labelFormat, start), start, {seg(kGeneral, 0, 2, {" %15lu"}, true)}));
    out.push_back(row(format(labelFormat, end), end, {seg(kGeneral, 2, 2, {" %15lu"}, true)}));
    out.push_back(text(""));
}

LayoutItem named(const char* labelFormat, const char* name, std::vector<Segment> segments) {
    return row(format(labelFormat, name), name, std::move(segments));
}

TrackingLayout firstVersions(int version) {
    TrackingLayout l{version, version == 1 ? 4 : 5, {}};
    auto& out = l.items;
    addHead(out, false, "%35s %15s", "%19s");
    const bool narrow = version == kVersionSeven;
    if (narrow) {
        out.push_back(text(format("%38s %31s", "WIDE BAND", "NARROW BAND")));
        out.push_back(text(format("%38s %31s", "---------", "-----------")));
    } else {
        out.push_back(text(format("%38s", "WIDE BAND")));
        out.push_back(text(format("%38s", "---------")));
    }
    auto pair = [&](const char* name, std::size_t wide, std::size_t narrowWord) {
        std::vector<Segment> s{seg(kGeneral, wide, 1, {" %9hu"})};
        if (narrow) s.push_back(seg(kGeneral, narrowWord, 1, {" %28hu"}));
        out.push_back(named("%23s", name, s));
    };
    pair("TX DATA FILTER DIVISOR", 4, 6);
    pair("TX DATA DEVIATION", 5, 7);
    std::vector<Segment> squelch{seg(kRows, 0, 5, {" %9hu", " %4hu"})};
    if (narrow) squelch.push_back(seg(kRows, 15, 5, {" %8hu", " %4hu"}));
    out.push_back(named("%23s", "SQUELCH", squelch));
    out.push_back(named("%23s", "TX DEVIATION", {seg(kRows, 5, 5, {" %9hu", " %4hu"})}));
    out.push_back(named("%23s", "TA TX DEVIATION", {seg(kRows, 10, 5, {" %9hu", " %4hu"})}));
    out.push_back(text(""));
    out.push_back(text("POWER LEVELS"));
    out.push_back(text(" ------------"));
    out.push_back(text(""));
    out.push_back(
        text(format("%9s %21s %32s", "TX POWER", "TX POWER LEVELS", "TA TX POWER LEVELS")));
    out.push_back(
        text(format("%9s %21s %32s", "--------", "---------------", "------------------")));
    for (std::size_t p = 0; p < static_cast<std::size_t>(l.powerPoints); ++p) {
        out.push_back(
            row("", format("POWER POINT %zu", p + 1),
                {seg(kPoints, p, 1, {"%7lu"}, true), seg(kLevels, p * 10, 5, {" %11hu", " %4hu"}),
                 seg(kLevels, p * 10 + 5, 5, {" %9hu", " %4hu"})}));
    }
    return l;
}

TrackingLayout lyraVersion() {
    TrackingLayout l{4, 5, {}};
    auto& out = l.items;
    addHead(out, true, "%35s %15s", "%19s");
    out.push_back(text(format("%35s%29s", "Data Deviation Scalers", "ASP Divisor")));
    out.push_back(text(format("%35s%15s%15s", "4800 Baud", "9600 Baud", "")));
    out.push_back(named("%20s", "Wide Band", {seg(kGeneral, 4, 2, {"%15u"})}));
    out.push_back(named("%20s", "Narrow Band", {seg(kGeneral, 6, 3, {"%15u"})}));
    out.push_back(text(""));
    out.push_back(text(format("%20s", "TX Deviation")));
    out.push_back(text(format("%27s%24s%27s", "Wide Band", "Narrow Band", "Talk-Around Band")));
    for (std::size_t s = 0; s < 4; ++s) {
        const std::string name = format("VCO Segment %zu:", s + 1);
        out.push_back(row(format("%20s", name.c_str()), name, {seg(kLevels, s * 9, 9, {"  %3u"})}));
    }
    out.push_back(text(""));
    out.push_back(text(format("%20s", "Squelch/RSSI")));
    out.push_back(text(format("%27s%24s", "Wide Band", "Narrow Band")));
    out.push_back(named("%20s", "Squelch levels", {seg(kRows, 0, 2, {"  %3u"})}));
    const std::array<int, 4> levels = {-120, -110, -100, -90};
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const std::string name = format("RSSI @ %4d dBm", levels[k]);
        out.push_back(
            row(format("%20s", name.c_str()), name, {seg(kRows, 2 + 2 * k, 2, {"  %3u"})}));
    }
    out.push_back(text(""));
    out.push_back(text(format("%20s", "Power Levels")));
    out.push_back(text(
        format("%10s%17s%24s%27s", "Tx Power", "Wide Band", "Narrow Band", "Talk-Around Band")));
    for (std::size_t p = 0; p < static_cast<std::size_t>(l.powerPoints); ++p) {
        out.push_back(row("", format("Power Point %zu", p + 1),
                          {seg(kPoints, p, 1, {"%10u"}, true), seg(kPower, p * 9, 9, {"  %3u"})}));
    }
    return l;
}

TrackingLayout ocelotVersion(int version) {
    TrackingLayout l{version, version == 5 ? 5 : 7, {}};
    auto& out = l.items;
    addHead(out, false, "%45s %15s", "%29s");
    auto pairs = [&](const char* left, const char* right,
                     std::vector<std::pair<const char*, std::size_t>> rows) {
        out.push_back(text(format("%45s %15s", left, right)));
        for (const auto& [name, index] : rows)
            out.push_back(named("%29s", name, {seg(kRows, index, 2, {" %15hu"})}));
        out.push_back(text(""));
    };
    pairs("STRONG", "WEAK", {{"SIGNAL STRENGTH", 0}, {"RSSI", 2}});
    pairs("25 KHZ", "12.5 KHZ",
          {{"SQUELCH", 4},
           {"TX VOICE DEVIATION", 6},
           {"TX DATA DEVIATION", 8},
           {"TG DEVIATION SCALAR", 10}});
    pairs("I BALANCE", "Q BALANCE", {{"TX MODULATOR", 12}});
    const std::pair<const char*, std::size_t> singles[] = {{"REFERENCE OSCILLATOR", 4},
                                                           {"TX VOICE DEVIATION NPSPAC", 5},
                                                           {"HARDWARE I AND Q BALANCE", 6}};
    for (const auto& [name, index] : singles) {
        out.push_back(named("%29s", name, {seg(kGeneral, index, 1, {" %15hu"})}));
        out.push_back(text(""));
    }
    const std::pair<const char*, std::size_t> tunes[] = {
        {"TX TUNE VOLTAGE", 0}, {"TX TALK TUNE VOLTAGE", 3}, {"RX TUNE VOLTAGE", 6}};
    for (const auto& [name, index] : tunes)
        out.push_back(named("%29s", name, {seg(kTune, index, 3, {" %7hu"})}));
    out.push_back(text(""));
    out.push_back(text("POWER LEVELS"));
    out.push_back(text(" ------------"));
    const char* heads = "%9s %16s %17s %17s %19s";
    out.push_back(text(format(heads, "TX POWER", "POWER CONTROL", "POWER SENSE", "POWER CONTROL",
                              "POWER SENSE TALK")));
    out.push_back(text(format(heads, "--------", "-------------", "-----------", "-------------",
                              "----------------")));
    for (std::size_t p = 0; p < static_cast<std::size_t>(l.powerPoints); ++p) {
        out.push_back(row("", format("POWER POINT %zu", p + 1),
                          {seg(kPower, p * 13, 13,
                               {"%6hu", " %8hu", " %4hu", " %5hu", " %7hu", " %4hu", " %4hu",
                                " %7hu", " %4hu", " %4hu", " %7hu", " %5hu", " %5hu"})}));
    }
    return l;
}

TrackingLayout threeBandVersion() {
    TrackingLayout l{7, 6, {}};
    auto& out = l.items;
    addHead(out, false, "%35s %15s", "%19s");
    const std::pair<const char*, std::size_t> singles[] = {
        {"LOW TEMPERATURE", 4}, {"HIGH TEMPERATURE", 5}, {"REFERENCE OSCILLATOR", 6}};
    for (const auto& [name, index] : singles)
        out.push_back(named("%29s", name, {seg(kGeneral, index, 1, {" %15hu"})}));
    out.push_back(text(""));
    const std::pair<const char*, std::size_t> balances[] = {{"TX MODULATOR I BALANCE", 0},
                                                            {"TX MODULATOR Q BALANCE", 3},
                                                            {"HARDWARE I & Q BALANCE", 6}};
    for (const auto& [name, index] : balances)
        out.push_back(named("%29s", name, {seg(kRows, index, 3, {"%7u"})}));
    out.push_back(text(""));
    out.push_back(text("SQUELCH LEVELS"));
    out.push_back(text(" --------------"));
    out.push_back(text(format("%12s SQUELCH OPEN %15s SQUELCH CLOSE", "", "")));
    const char* bands[] = {"WIDE", "MID", "NARROW"};
    for (std::size_t b = 0; b < 3; ++b)
        out.push_back(named("%6s", bands[b], {seg(kRows, 9 + 2 * b, 2, {"%5u"})}));
    out.push_back(text(""));
    out.push_back(text(" RSSI"));
    out.push_back(text(" ----"));
    out.push_back(text("SIG STR"));
    const char* strengths[] = {"STRONG", "MEDIUM", "WEAK"};
    for (std::size_t s = 0; s < 3; ++s)
        out.push_back(named("%6s", strengths[s], {seg(kRows, 15 + s, 1, {" %5u"})}));
    out.push_back(text(""));
    const char* bandBlocks[] = {"WIDE BAND", "MID BAND", "NARROW BAND"};
    for (std::size_t d = 0; d < 2; ++d) {
        out.push_back(text("DEVIATION SETTINGS"));
        out.push_back(text(" ------------------"));
        for (std::size_t b = 0; b < 3; ++b) {
            out.push_back(text(bandBlocks[b]));
            out.push_back(row("", format("DEVIATION SETTINGS %zu %s", d + 1, bandBlocks[b]),
                              {seg(kLevels, d * 18 + b * 6, 6, {"%6u"})}));
        }
        out.push_back(text(""));
    }
    out.push_back(row("", "TX DATA DEVIATION SCALER",
                      {seg(kGeneral, 7, 3,
                           {"  TX DATA DEVIATION SCALER:  WIDE %4u", " MID %4u", " NARROW %4u"})}));
    out.push_back(row("", "DIGITAL TONE GATE SCALER",
                      {seg(kGeneral, 10, 1, {" DIGITAL TONE GATE SCALER:  %5u"})}));
    out.push_back(text(" ANALOG TONE GATE DEVIATION SCALERS"));
    for (std::size_t b = 0; b < 3; ++b)
        out.push_back(row(format("%8s", bands[b]), format("ANALOG TONE GATE %s", bands[b]),
                          {seg(kGeneral, 11 + b, 1, {"%5u"})}));
    out.push_back(text(""));
    const auto points = static_cast<std::size_t>(l.powerPoints);
    out.push_back(text("POWER SETTINGS"));
    out.push_back(text(" --------------"));
    out.push_back(text(format("%7s", "TX PWR")));
    for (std::size_t p = 0; p < points; ++p)
        out.push_back(row("", format("POWER POINT %zu", p + 1),
                          {seg(kPower, p * 4, 1, {"%7u"}), seg(kPower, p * 4 + 1, 3, {"%5u"})}));
    out.push_back(text(""));
    out.push_back(text("POWER SETTINGS"));
    out.push_back(text(" --------------"));
    const std::string gap = format("%26s", "") + "%5u";
    const std::pair<const char*, std::size_t> blocks[] = {{"   POWER CONTROL", 24},
                                                          {"   POWER SENSE", 24 + points}};
    for (const auto& [title, first] : blocks) {
        out.push_back(text(title));
        for (std::size_t p = 0; p < points; ++p)
            out.push_back(row(format("%17s", "TX POWER"), format("%s %zu", title + 3, p + 1),
                              {seg(kPower, p * 4, 1, {"%5u"}), seg(kPower, first + p, 1, {gap})}));
    }
    return l;
}

const std::vector<TrackingLayout>& layouts() {
    static const std::vector<TrackingLayout> all = {
        firstVersions(1), firstVersions(2), firstVersions(3),  lyraVersion(),
        ocelotVersion(5), ocelotVersion(6), threeBandVersion()};
    return all;
}

std::size_t flatIndex(const Segment& s, std::size_t k) {
    return arrayStart(s.array) + s.index + k;
}

}  // namespace

const TrackingLayout* trackingLayout(int version) {
    if (version < 1 || version > kMaxTrackingVersion) return nullptr;
    return &layouts()[static_cast<std::size_t>(version - 1)];
}

std::string formatWord(const std::string& fmt, std::uint32_t value) {
    if (fmt.find("hu") != std::string::npos)
        return format(fmt.c_str(), static_cast<unsigned short>(value));
    if (fmt.find("lu") != std::string::npos)
        return format(fmt.c_str(), static_cast<unsigned long>(value));
    return format(fmt.c_str(), static_cast<unsigned>(value));
}

std::string renderItem(const LayoutItem& item, const RadioData& data) {
    std::string line = item.text;
    for (const auto& s : item.segments) {
        for (std::size_t k = 0; k < s.count; ++k) {
            const auto& fmt = s.formats[k < s.formats.size() ? k : s.formats.size() - 1];
            line += formatWord(fmt, data.trackingArrays[flatIndex(s, k)]);
        }
    }
    return line;
}

std::vector<EditorField> editorFields(int version) {
    std::vector<EditorField> fields;
    const auto* layout = trackingLayout(version);
    if (!layout) return fields;
    std::set<std::size_t> seen;
    for (const auto& item : layout->items) {
        std::size_t words = 0;
        for (const auto& s : item.segments) words += s.count;
        std::size_t n = 0;
        for (const auto& s : item.segments) {
            for (std::size_t k = 0; k < s.count; ++k, ++n) {
                const std::size_t word = flatIndex(s, k);
                if (!seen.insert(word).second) continue;
                std::string label = item.name;
                if (words > 1) label += format(" %zu", n + 1);
                fields.push_back({kFirstFieldId + static_cast<int>(word), label, word,
                                  s.wide ? 0xFFFFFFFFu : 0xFFFFu});
            }
        }
    }
    return fields;
}

bool upgradeToVersionSeven(RadioData& data) {
    if (data.trackingVersion != 1 && data.trackingVersion != 2) return false;
    data.word(kGeneral, 6) = data.word(kGeneral, 4);
    data.word(kGeneral, 7) = data.word(kGeneral, 5);
    for (std::size_t i = 0; i < 5; ++i) data.word(kRows, 15 + i) = data.word(kRows, i);
    if (data.trackingVersion == 1) {
        data.word(kPoints, 4) = data.word(kPoints, 3);
        for (std::size_t i = 0; i < 10; ++i)
            data.word(kLevels, 40 + i) = data.word(kLevels, 30 + i);
    }
    data.trackingVersion = kVersionSeven;
    return true;
}

}  // namespace tw::blt
