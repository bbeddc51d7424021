#include "families/kvr/tracking_values.h"

#include <algorithm>
#include <utility>

#include "util/hex.h"
#include "util/text.h"

namespace tw::kvr {

const std::array<TrackingRow, 7> kTrackingRows = {{
    {"Squelch", rows::kSquelch, false},
    {"High Power", rows::kHighPower, false},
    {"Low Power", rows::kLowPower, false},
    {"Modulation", rows::kModulation, false},
    {"High Power", rows::kTalkAroundHighPower, true},
    {"Low Power", rows::kTalkAroundLowPower, true},
    {"Modulation", rows::kTalkAroundModulation, true},
}};

const std::array<TrackingValue, kTrackingValueCount> kTrackingValues = {{
    {ids::kSquelchLow, 0, 255, "low range squelch", "low squelch"},
    {ids::kSquelchMid, 2, 255, "mid range squelch", "mid squelch"},
    {ids::kSquelchHigh, 4, 255, "high range squelch", "high squelch"},
    {ids::kHighPowerLow, 5, 255, "low range high power", "low high power"},
    {ids::kHighPowerMid, 7, 255, "mid range high power", "mid high power"},
    {ids::kHighPowerHigh, 9, 255, "high range high power", "high high power"},
    {ids::kModLow, 10, 31, "low range modulation", "low modulation"},
    {ids::kModMid, 12, 31, "mid range modulation", "mid modulation"},
    {ids::kModHigh, 14, 31, "high range modulation", "high modulation"},
    {ids::kLowPowerLow, 15, 255, "low range low power", "low low power"},
    {ids::kLowPowerMid, 16, 255, "mid range low power", "mid low power"},
    {ids::kLowPowerHigh, 17, 255, "high range low power", "high low power"},
    {ids::kTaLowPowerLow, 18, 255, "talkaround low range low power", "low talkaround low power"},
    {ids::kTaLowPowerMid, 19, 255, "talkaround mid range low power", "mid talkaround low power"},
    {ids::kTaLowPowerHigh, 20, 255, "talkaround high range low power", "high talkaround low power"},
    {ids::kTaHighPowerLow, 21, 255, "talkaround low range high power", "low talkaround high power"},
    {ids::kTaHighPowerMid, 23, 255, "talkaround mid range high power", "mid talkaround high power"},
    {ids::kTaHighPowerHigh, 25, 255, "talkaround high range high power",
     "high talkaround high power"},
    {ids::kTaModLow, 26, 31, "talkaround low range modulation", "low talkaround modulation"},
    {ids::kTaModMid, 28, 31, "talkaround mid range modulation", "mid talkaround modulation"},
    {ids::kTaModHigh, 30, 31, "talkaround high range modulation", "high talkaround modulation"},
}};

namespace {

std::size_t indexOf(int control) {
    for (std::size_t i = 0; i < kTrackingValues.size(); ++i)
        if (kTrackingValues[i].control == control) return i;
    return 0;
}

bool digitsOnly(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The check runs in stages over groups of controls; the order is what technicians know.
constexpr std::array<int, 4> kFirstGroup = {ids::kModHigh, ids::kModMid, ids::kModLow,
                                            ids::kSquelchLow};
constexpr std::array<int, 17> kCharacterGroup = {
    ids::kHighPowerHigh,  ids::kHighPowerMid,   ids::kHighPowerLow,    ids::kLowPowerHigh,
    ids::kLowPowerMid,    ids::kLowPowerLow,    ids::kTaHighPowerHigh, ids::kTaHighPowerMid,
    ids::kTaHighPowerLow, ids::kTaLowPowerHigh, ids::kTaLowPowerMid,   ids::kTaLowPowerLow,
    ids::kTaModHigh,      ids::kTaModMid,       ids::kTaModLow,        ids::kSquelchMid,
    ids::kSquelchHigh};
constexpr std::array<int, 12> kPowerGroup = {
    ids::kHighPowerHigh,  ids::kHighPowerMid,   ids::kHighPowerLow,    ids::kLowPowerHigh,
    ids::kLowPowerMid,    ids::kLowPowerLow,    ids::kTaHighPowerHigh, ids::kTaHighPowerMid,
    ids::kTaHighPowerLow, ids::kTaLowPowerHigh, ids::kTaLowPowerMid,   ids::kTaLowPowerLow};
constexpr std::array<int, 3> kTalkAroundModulationGroup = {ids::kTaModHigh, ids::kTaModMid,
                                                           ids::kTaModLow};
constexpr std::array<int, 2> kUpperSquelchGroup = {ids::kSquelchHigh, ids::kSquelchMid};

// The message of a failed check and the box it names.
struct Failure {
    std::string message;
    int control;
};

template <std::size_t N>
std::optional<Failure> firstInvalidCharacter(const TrackingTexts& t,
                                             const std::array<int, N>& group) {
    for (int id : group) {
        const std::size_t i = indexOf(id);
        if (!digitsOnly(t[i]))
            return Failure{std::string("Invalid character in ") + kTrackingValues[i].where + ".",
                           id};
    }
    return std::nullopt;
}

template <std::size_t N>
std::optional<Failure> firstOutOfRange(const TrackingTexts& t, const std::array<int, N>& group) {
    for (int id : group) {
        const std::size_t i = indexOf(id);
        const TrackingValue& v = kTrackingValues[i];
        if (!v.rule().admits(trackingNumber(t[i])))
            return Failure{format("Valid range for %s setting is 0-%d.", v.setting, v.maximum), id};
    }
    return std::nullopt;
}

std::optional<Failure> firstFailure(const TrackingTexts& t) {
    if (auto f = firstInvalidCharacter(t, kFirstGroup)) return f;
    if (auto f = firstOutOfRange(t, kFirstGroup)) return f;
    if (auto f = firstInvalidCharacter(t, kCharacterGroup)) return f;
    if (auto f = firstOutOfRange(t, kPowerGroup)) return f;
    if (auto f = firstOutOfRange(t, kTalkAroundModulationGroup)) return f;
    if (auto f = firstOutOfRange(t, kUpperSquelchGroup)) return f;
    return std::nullopt;
}

// Two upper-case digits; a value is at most 255 once checked, and never spills into the
// neighbouring byte even if it were not.
std::string pairOf(const std::string& text) {
    return format("%2.2X", static_cast<unsigned>(std::min(trackingNumber(text), 255)));
}

}  // namespace

int trackingNumber(const std::string& text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), 100000);
    }
    return value;
}

std::optional<std::string> checkTrackingTexts(const TrackingTexts& t, int* failedControl) {
    auto failure = firstFailure(t);
    if (!failure) return std::nullopt;
    if (failedControl) *failedControl = failure->control;
    return std::move(failure->message);
}

std::optional<std::string> trackingFieldProblem(int control, const std::string& text) {
    for (const auto& v : kTrackingValues) {
        if (v.control != control) continue;
        return fieldMark(
            v.rule(), digitsOnly(text) ? std::optional<long>(trackingNumber(text)) : std::nullopt);
    }
    return std::nullopt;
}

bool allTrackingZero(const TrackingTexts& texts) {
    return std::all_of(texts.begin(), texts.end(), [](const std::string& s) { return s == "0"; });
}

TrackingTexts decodeTrackingBlock(const std::string& chars) {
    TrackingTexts texts;
    for (std::size_t i = 0; i < kTrackingValueCount; ++i) {
        const TrackingValue& v = kTrackingValues[i];
        const std::size_t at = 2 * static_cast<std::size_t>(v.radioByte);
        if (at + 1 >= chars.size()) continue;
        char high = chars[at];
        if (v.maximum == 31 && high > '1') high = '1';
        texts[i] = std::to_string(strictHexPair(high, chars[at + 1]));
    }
    return texts;
}

std::string encodeTrackingBlock(const TrackingTexts& texts, const std::string& radioChars) {
    std::string out = radioChars;
    out.resize(2 * kTrackingBlockSize, '0');
    for (std::size_t i = 0; i < kTrackingValueCount; ++i) {
        out.replace(2 * static_cast<std::size_t>(kTrackingValues[i].radioByte), 2,
                    pairOf(texts[i]));
    }
    return out;
}

std::vector<std::uint8_t> encodeTk1(const TrackingTexts& texts) {
    std::vector<std::uint8_t> bytes;
    for (const auto& t : texts)
        for (char c : pairOf(t)) bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

std::optional<TrackingTexts> decodeTk1(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() != kTk1Size) return std::nullopt;
    TrackingTexts texts;
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        texts[i] = std::to_string(
            strictHexPair(static_cast<char>(bytes[2 * i]), static_cast<char>(bytes[2 * i + 1])));
    return texts;
}

}  // namespace tw::kvr
