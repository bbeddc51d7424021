// Checks made before anything is written: the band plan, the image's count limits, and
// the TELPAGE code table every TELPAGE object will point into.
#include <algorithm>
#include <array>
#include <limits>

#include "plugin/codec/encode_context.h"
#include "ui/ui.h"

namespace tw {
namespace {

struct BandFit {
    int code;
    double firstLow, firstHigh, secondLow, secondHigh;
};

// First fit wins, in this order.
constexpr std::array<BandFit, 7> kFits{{
    {12, 895, 902, 895, 902},
    {11, 806, 824.9876, 851, 869},
    {7, 470, 512, 470, 512},
    {5, 440, 470, 440, 470},
    {2, 403, 440, 403, 440},
    {1, 150, 174, 150, 174},
    {13, 136, 153, 136, 153},
}};

struct BandPair {
    int code;
    double lower, upper;
};
constexpr std::array<BandPair, 7> kPairs{{{1, 150, 174},
                                          {2, 403, 440},
                                          {5, 440, 470},
                                          {7, 470, 512},
                                          {11, 806, 824.9876},
                                          {12, 895, 902},
                                          {13, 136, 153}}};

struct Span {
    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    void add(double f) {
        low = std::min(low, f);
        high = std::max(high, f);
    }
    bool empty() const { return low > high; }
};

}  // namespace

bool checkBandPlan(EncodeContext& c, Ui& ui, int& band) {
    for (const BandPair& pair : kPairs)
        if (pair.code == band && c.p.bandLimits[0] == pair.lower && c.p.bandLimits[2] == pair.upper)
            return true;
    Span first, second;
    for (int i = 0; i < c.p.GetSetCount(kTrunkSetType); ++i)
        for (const auto& ch : c.p.SetAt<CTrunkSet>(i)->items) {
            first.add(ch.first);
            second.add(ch.second);
        }
    for (int i = 0; i < c.p.GetSetCount(kConvSetType); ++i)
        for (const auto& ch : c.p.SetAt<CConvSet>(i)->items) {
            if (ch.hasTx) first.add(ch.txFreq);
            second.add(ch.rxFreq);
        }
    // Nothing to fit: keep the radio's own band without a question.
    if (first.empty() && second.empty()) return true;
    for (const BandFit& fit : kFits) {
        const bool firstOk =
            first.empty() || (first.low >= fit.firstLow && first.high <= fit.firstHigh);
        const bool secondOk =
            second.empty() || (second.low >= fit.secondLow && second.high <= fit.secondHigh);
        if (firstOk && secondOk) {
            band = fit.code;
            return true;
        }
    }
    // After Yes the radio's own band code stays: it is what the radio is.
    return ui.askYesNo("Bandsplit does not match.  Proceed?");
}

bool checkLimits(EncodeContext& c) {
    if (c.p.GetNumSystems() > 255) return c.refuse("Too many systems for this radio (255 max).");
    if (c.p.GetSetCount(kGroupSetType) > 63)
        return c.refuse("Too many group sets for this radio (63 max).");
    if (c.p.GetSetCount(kTrunkSetType) > 63)
        return c.refuse("Too many trunked sets for this radio (63 max).");
    if (c.p.GetSetCount(kConvSetType) > 31)
        return c.refuse("Too many conventional sets for this radio (31 max).");
    if (c.p.GetSetCount(kSpCallSetType) > 7)
        return c.refuse("Too many special call sets for this radio (7 max).");
    if (c.request.idOverride > 0x3FFF)
        return c.refuse(says("ID override %u does not fit in 14 bits (16383 max).",
                             static_cast<unsigned>(c.request.idOverride)));
    return true;
}

bool EncodeContext::setNumber(const std::string& name, int setType, const char* what,
                              const std::string& owner, int& number) {
    number = 0;
    if (name.empty()) return true;
    const int index = p.FindSetIndex(name, setType);
    if (index < 0)
        return refuse(says("%s names %s \"%s\", which this personality does not hold.",
                           owner.c_str(), what, name.c_str()));
    number = index + 1;
    return true;
}

// Entry 0 is all zeros: objects without codes point at it and read back unchanged.
bool buildTpgCodeTable(EncodeContext& c) {
    c.codeEntries.assign(1, {});
    auto add = [&](const void* owner, const std::array<std::uint16_t, 4>& codeSlots,
                   const std::string& name) {
        if (std::all_of(codeSlots.begin(), codeSlots.end(), [](auto s) { return s == 0; }))
            return true;
        for (auto s : codeSlots)
            if (s > 255)
                return c.refuse(
                    says("TELPAGE code %u of \"%s\" is over 255.", unsigned(s), name.c_str()));
        if (c.codeEntries.size() > 255)
            return c.refuse("Too many TELPAGE codes for this radio (255 max).");
        c.codeIndex[owner] = static_cast<int>(c.codeEntries.size());
        c.codeEntries.push_back(codeSlots);
        return true;
    };
    for (const auto& s : c.p.Systems())
        if (auto* t = dynamic_cast<const CTpgSystem*>(s.get()))
            if (!add(t, t->codeSlots, t->GetName())) return false;
    for (int i = 0; i < c.p.GetSetCount(kTpgGroupSetType); ++i)
        for (const auto& g : c.p.SetAt<CTpgGroupSet>(i)->items)
            if (!add(&g, g.codeSlots, g.name)) return false;
    return true;
}

}  // namespace tw
