// Personality image conversion: decode and encode of a TRV personality that fills its
// whole 8192-byte image (systems, sets of every kind, and kept bytes up to the last byte).
// Prints the mean time of each; the aim is well under a millisecond.
//   personality_bench [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"

namespace {

using Steady = std::chrono::steady_clock;

std::string padded(const std::string& text) {
    std::string s = text;
    s.resize(8, ' ');
    return s;
}

tw::CPersonality busyTrv() {
    using namespace tw;
    CPersonality p('C', "Bench");
    p.bandLimits = {806, 851, 824.9876, 869};
    for (int s = 1; s <= 12; ++s) {
        auto groups = std::make_unique<CGroupSet>();
        groups->SetName(numberedName("GRPSET%02d", s));
        for (int g = 1; g <= 16; ++g) {
            CGroup group(padded("G" + std::to_string(100 * s + g)), kGroupSetType);
            group.id = 16 * s + g;
            groups->Add(group);
        }
        groups->home = groups->items[0].name;
        p.AddSet(std::move(groups), kGroupSetType);
        auto trunk = std::make_unique<CTrunkSet>();
        trunk->SetName(numberedName("TRKSET%02d", s));
        for (int c = 1; c <= 20; ++c)
            trunk->Add(CTrunkChannel{806.0 + c * 0.0125, 851.0 + c * 0.0125, 0, false, false});
        p.AddSet(std::move(trunk), kTrunkSetType);
        auto conv = std::make_unique<CConvSet>();
        conv->SetName(numberedName("CNVSET%02d", s));
        for (int c = 1; c <= 16; ++c) {
            CConvChannel ch;
            ch.name = padded("C" + std::to_string(100 * s + c));
            ch.rxFreq = 851.0 + c * 0.025;
            ch.txFreq = 806.0 + c * 0.025;
            ch.rxTg = c % 2 ? "67.0" : " 23";
            conv->Add(ch);
        }
        p.AddSet(std::move(conv), kConvSetType);
        auto trunked = std::make_unique<CTrunkSystem>(padded("T" + std::to_string(s)));
        trunked->trunkSet = numberedName("TRKSET%02d", s);
        trunked->groupSet = numberedName("GRPSET%02d", s);
        trunked->scannedSystems = {padded("T1"), padded("C1")};
        p.AddSystem(std::move(trunked));
        auto local = std::make_unique<CConvSystem>(padded("C" + std::to_string(s)));
        local->SetConvSetName(numberedName("CNVSET%02d", s));
        p.AddSystem(std::move(local));
    }
    return p;
}

double microseconds(Steady::duration d, int rounds) {
    return std::chrono::duration<double, std::micro>(d).count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    tw::hln::RadioIdentity id;
    id.radioId = {'C', 11, 5, 0, 0, 0};
    tw::hln::classifyRadioId(id);
    tw::ScriptedUi ui;
    tw::CPersonality personality = busyTrv();

    // Top the image up to its last byte with kept bytes.
    tw::hln::PersonalityImage image;
    image.buffer.assign(id.imageSize, 0);
    if (tw::encodePersonality(image, personality, tw::EncodeRequest{}, id, ui) != tw::kEncodeDone) {
        std::printf("the bench personality does not fit\n");
        return 1;
    }
    auto extras = std::make_unique<tw::CImageExtras>();
    extras->sections[12].assign(id.imageSize - image.endOfData, 0x5A);
    personality.PutOption(std::move(extras));

    Steady::duration encodeTime{}, decodeTime{};
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        image.buffer.assign(id.imageSize, 0);
        const auto t0 = Steady::now();
        ok = ok && tw::encodePersonality(image, personality, tw::EncodeRequest{}, id, ui) ==
                       tw::kEncodeDone;
        const auto t1 = Steady::now();
        tw::CPersonality back('C', "Bench");
        ok = ok && tw::decodePersonalityQuietly(image.buffer.data(), image.buffer.size(), back, id)
                       .empty();
        const auto t2 = Steady::now();
        encodeTime += t1 - t0;
        decodeTime += t2 - t1;
    }
    std::printf("TRV personality, %zu of %u bytes, %d systems, %d rounds%s\n", image.endOfData,
                static_cast<unsigned>(id.imageSize), personality.GetNumSystems(), rounds,
                ok ? "" : "  (FAILED)");
    std::printf("  encode  %8.1f us\n", microseconds(encodeTime, rounds));
    std::printf("  decode  %8.1f us\n", microseconds(decodeTime, rounds));
    return ok ? 0 : 1;
}
