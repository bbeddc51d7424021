#pragma once

#include "personality_fixtures.h"

namespace tw::test {

// A small personality whose image layout is worked out by hand: a trunked system on
// TRKSET01 (two channels) and GRPSET01 (two groups), a conventional system on CNVSET01
// (one channel). Band 11 limits.
inline CPersonality handBuilt(char type) {
    CPersonality p(static_cast<std::uint16_t>(type), "Hand");
    p.bandLimits = {806, 851, 824.9876, 869};
    auto groups = std::make_unique<CGroupSet>();
    groups->SetName("GRPSET01");
    for (const char* n : {"NORTH   ", "SOUTH   "}) {
        CGroup g(n, kGroupSetType);
        g.id = 100;
        groups->Add(g);
    }
    groups->priority2 = "SOUTH   ";
    p.AddSet(std::move(groups), kGroupSetType);
    auto trunk = std::make_unique<CTrunkSet>();
    trunk->SetName("TRKSET01");
    for (double f : {806.0125, 806.025}) {
        CTrunkChannel ch;
        ch.first = f;
        ch.second = f + 45;
        trunk->Add(ch);
    }
    p.AddSet(std::move(trunk), kTrunkSetType);
    auto conv = std::make_unique<CConvSet>();
    conv->SetName("CNVSET01");
    CConvChannel ch;
    ch.name = "LOCAL   ";
    ch.rxFreq = 851.0125;
    ch.txFreq = 806.0125;
    ch.rxTg = "67.0";
    conv->Add(ch);
    p.AddSet(std::move(conv), kConvSetType);
    auto trunked = std::make_unique<CTrunkSystem>("TRUNK   ");
    trunked->trunkSet = "TRKSET01";
    trunked->groupSet = "GRPSET01";
    p.AddSystem(std::move(trunked));
    auto local = std::make_unique<CConvSystem>("LOCAL   ");
    local->SetConvSetName("CNVSET01");
    p.AddSystem(std::move(local));
    return p;
}

inline std::size_t sectionOffset(const std::vector<std::uint8_t>& image, std::size_t p, int n) {
    const std::size_t dir = p + (image[p + 33] << 8 | image[p + 34]);
    return static_cast<std::size_t>(image[dir + 1 + 2 * n] << 8 | image[dir + 2 + 2 * n]);
}

}  // namespace tw::test
