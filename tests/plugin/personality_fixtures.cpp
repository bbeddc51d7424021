#include "personality_fixtures.h"

#include <algorithm>
#include <random>

#include "plugin/codec/channel_freq.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/tone_gate.h"
#include "plugin/validation/value_convert.h"

namespace tw::test {
namespace {

class Gen {
  public:
    Gen(const FixtureSpec& fs, int scale)
        : rng_(fs.seed), type_(fs.type), band_(fs.band), scale_(scale) {
        L_ = identityFor(fs.type, fs.band).imageVariant;
        freq_.band = fs.band;
        freq_.type = fs.type;
        versionMinor_ = coin() ? 90 : 70;
        freq_.version690 = versionMinor_ >= 90;
    }
    int n(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool coin() { return n(0, 1) == 1; }

    std::string name(const char* stem, int k, const char* generated, int number) {
        if (L_ == 0) return numberedName(generated, number);
        std::string s = stem + std::to_string(k);
        s.resize(L_, ' ');
        return s;
    }
    std::string text8() {
        std::string s;
        for (int i = 0; i < 8; ++i) s += static_cast<char>(n('A', 'Z'));
        return s;
    }
    std::string digits(int count, char top = '9') {
        std::string s;
        for (int i = 0; i < count; ++i) s += static_cast<char>(n('0', top));
        return s;
    }
    double fractionOf(int dialog, int control, int maxCount) {
        return *countToFraction(dialog, control, n(0, maxCount));
    }

    CPersonality build();

  private:
    void groupSets(CPersonality& p, int count);
    void trunkSets(CPersonality& p, int count);
    void convSets(CPersonality& p, int count);
    void spCallSets(CPersonality& p, int count);
    void tpgSets(CPersonality& p, int groups, int calls);
    void systems(CPersonality& p, int conv, int trunk, int group, int spc, int tpgGroup,
                 int tpgSpc);
    void options(CPersonality& p);
    std::string toneGate(bool special);

    std::mt19937 rng_;
    char type_;
    int band_;
    int scale_;
    std::size_t L_ = 8;
    FreqContext freq_;
    int versionMinor_ = 90;
};

void setBand(CPersonality& p, int band) {
    switch (band) {
        case 1:
            p.bandLimits = {150, 150, 174, 174};
            break;
        case 2:
            p.bandLimits = {403, 403, 440, 440};
            break;
        case 5:
            p.bandLimits = {440, 440, 470, 470};
            break;
        case 7:
            p.bandLimits = {470, 470, 512, 512};
            break;
        case 11:
            p.bandLimits = {806, 851, 824.9876, 869};
            break;
        case 12:
            p.bandLimits = {895, 895, 902, 902};
            break;
        default:
            p.bandLimits = {136, 136, 153, 153};
            break;
    }
}

void Gen::groupSets(CPersonality& p, int count) {
    for (int s = 1; s <= count; ++s) {
        auto set = std::make_unique<CGroupSet>();
        set->SetName(numberedName("GRPSET%02d", s));
        const int groups = n(0, 4 * scale_);
        for (int g = 1; g <= groups; ++g) {
            CGroup group(name("G", 100 * s + g, "GROUP%3d", g), kGroupSetType);
            if (g > 1 && n(0, 5) == 0) {
                // An empty slot: only its marker survives.
                if (L_ != 0) group.name = std::string(L_, '\0');
                set->Add(group);
                continue;
            }
            group.id = n(1, 2047);
            group.flagA = coin();
            group.flagB = coin();
            group.value3 = n(0, 7);
            group.steps = 5 * n(0, 3);
            group.flagC = coin();
            for (auto& f : group.inverted) f = coin();
            set->Add(group);
        }
        auto pick = [&]() -> std::string {
            const int k = n(0, groups);
            return k == 0 || set->items[k - 1].id == 0 ? std::string() : set->items[k - 1].name;
        };
        set->home = pick();
        set->priority1 = pick();
        set->priority2 = pick();
        p.AddSet(std::move(set), kGroupSetType);
    }
}

void Gen::trunkSets(CPersonality& p, int count) {
    for (int s = 1; s <= count; ++s) {
        auto set = std::make_unique<CTrunkSet>();
        set->SetName(numberedName("TRKSET%02d", s));
        set->flag = coin();
        set->bandLimits = p.bandLimits;
        const int channels = n(1, 5 * scale_ > 31 ? 31 : 5 * scale_);
        for (int k = 0; k < channels; ++k) {
            CTrunkChannel ch;
            ch.mode = n(0, 2);
            ch.upper = coin();
            ch.fine = band_ == 7 && coin();
            ch.first = channelToMHz(freq_, n(0, 4095), ch.upper, ch.fine, true);
            ch.second = channelToMHz(freq_, n(0, 4095), true, ch.fine, false);
            set->Add(ch);
        }
        p.AddSet(std::move(set), kTrunkSetType);
    }
}

std::string Gen::toneGate(bool special) {
    if (special) return coin() ? "3052" : "2919";
    switch (n(0, 3)) {
        case 0:
            return {};
        case 1: {
            const int tenths = n(1, 0xFFF);
            return decodeToneGate(static_cast<std::uint8_t>(tenths >> 8),
                                  static_cast<std::uint8_t>(tenths & 0xFF), false);
        }
        case 2:
            return decodeToneGate(0x40, static_cast<std::uint8_t>(n(1, 255)), false);
        default:
            return decodeToneGate(0x40, 19, false);  // " 23"
    }
}

void Gen::convSets(CPersonality& p, int count) {
    const bool shortForm = shortConvForm(band_);
    for (int s = 1; s <= count; ++s) {
        auto set = std::make_unique<CConvSet>();
        set->SetName(numberedName("CNVSET%02d", s));
        const int channels = n(0, 4 * scale_);
        for (int k = 1; k <= channels; ++k) {
            CConvChannel ch;
            ch.name = name("C", 100 * s + k, "CHANL%03d", k);
            ch.upper = coin();
            ch.fineRx = coin();
            ch.fineTx = coin();
            ch.flag7 = coin();
            ch.flag5 = coin();
            ch.flag43 = coin();
            ch.specialMode = n(0, 4) == 0;
            ch.flag14 = coin();
            ch.hasTx = n(0, 4) != 0;
            if (shortForm) {
                ch.rxFreq = channelToMHz(freq_, n(0, 4095), true, ch.fineRx, false);
                if (ch.hasTx)
                    ch.txFreq = channelToMHz(freq_, n(0, 4095), ch.upper, ch.fineTx, true);
            } else {
                ch.rxFreq = countToMHz(freq_, n(0, 0x1FFFF), ch.fineRx, true);
                if (ch.hasTx) ch.txFreq = countToMHz(freq_, n(0, 0x1FFFF), ch.fineTx, false);
            }
            ch.rxTg = toneGate(ch.specialMode);
            ch.txTg = toneGate(ch.specialMode);
            if (n(0, 3) == 0)
                for (auto& e : ch.extension) e = static_cast<std::uint8_t>(n(0, 255));
            set->Add(ch);
        }
        p.AddSet(std::move(set), kConvSetType);
    }
}

void Gen::spCallSets(CPersonality& p, int count) {
    const bool typeJ = type_ == 'J';
    for (int s = 1; s <= count; ++s) {
        auto set = std::make_unique<CSpCallSet>();
        set->SetName(numberedName("SPCSET%02d", s));
        set->value1 = n(0, 0x3FFF);
        set->value2 = n(0, 0x3FFF);
        const int calls = n(0, 3 * scale_);
        for (int k = 1; k <= calls; ++k) {
            CSpCall call;
            call.flag = coin();
            switch (n(0, 3)) {
                case 0:
                    call.type = kSpCallPhone;
                    call.kindCode = 1;
                    call.number = digits(n(0, typeJ ? 14 : 31));
                    if (!typeJ && !call.number.empty()) call.number[0] = ':';
                    break;
                case 1:
                    call.type = coin() ? kSpCallKind0 : kSpCallKind6;
                    call.kindCode = call.type == kSpCallKind0 ? 0 : 6;
                    call.number = std::to_string(n(0, 65535));
                    break;
                default:
                    call.type = kSpCallIndividual;
                    call.kindCode = std::array<int, 5>{2, 3, 4, 5, 7}[n(0, 4)];
                    call.number = std::to_string(n(0, 65535));
            }
            if (typeJ)
                call.name = text8().substr(0, static_cast<std::size_t>(n(0, 8)));
            else
                call.name = name("S", 100 * s + k, "SPCAL_%02d", k);
            set->Add(call);
        }
        p.AddSet(std::move(set), kSpCallSetType);
    }
}

void Gen::tpgSets(CPersonality& p, int groups, int calls) {
    for (int s = 1; s <= groups; ++s) {
        auto set = std::make_unique<CTpgGroupSet>();
        set->SetName(numberedName("TPGGRP%02d", s));
        for (int k = 1, count = n(0, 3); k <= count; ++k) {
            CTpgGroup g(name("T", 100 * s + k, "GROUP%3d", k), kTpgGroupSetType);
            for (auto& f : g.flags) f = coin();
            if (coin())
                for (auto& slot : g.codeSlots) slot = static_cast<std::uint16_t>(n(0, 255));
            set->Add(g);
        }
        p.AddSet(std::move(set), kTpgGroupSetType);
    }
    for (int s = 1; s <= calls; ++s) {
        auto set = std::make_unique<CTpgSpCallSet>();
        set->SetName(numberedName("TPGSPC%02d", s));
        for (int k = 1, count = n(0, 3); k <= count; ++k)
            set->Add(
                CTpgSpCall{name("P", 100 * s + k, "SPCAL_%02d", k), std::to_string(n(0, 65535))});
        p.AddSet(std::move(set), kTpgSpCallSetType);
    }
}

// Every set is named by some system and the highest number of each kind is named, so the
// counts the decoder derives from the system records give back every set.
void Gen::systems(CPersonality& p, int conv, int trunk, int group, int spc, int tpgGroup,
                  int tpgSpc) {
    const int trunked = trunk > 0 ? std::max(1, std::max(group, spc)) : 0;
    const int convSystems = conv;
    const int tpgSystems = trunk > 0 ? std::max(tpgGroup, tpgSpc) : 0;
    std::vector<std::unique_ptr<CSystem>> list;
    int number = 0;
    auto sysName = [&]() {
        ++number;
        return name("Y", number, "SYSTEM%02d", number);
    };
    for (int i = 1; i <= trunked; ++i) {
        auto s = std::make_unique<CTrunkSystem>(sysName());
        s->trunkSet = numberedName("TRKSET%02d", i == trunked ? trunk : n(1, trunk));
        s->groupSet = group == 0 ? ""
                      : i == trunked
                          ? numberedName("GRPSET%02d", group)
                          : (coin() ? numberedName("GRPSET%02d", std::min(i, group)) : "");
        s->spCallSet = spc == 0 ? ""
                       : i == trunked
                           ? numberedName("SPCSET%02d", spc)
                           : (coin() ? numberedName("SPCSET%02d", std::min(i, spc)) : "");
        s->value6 = n(0, 63);
        s->value14 = n(0, 0x3FFF);
        s->flagA = coin();
        s->flagB = coin();
        s->value5 = n(0, 31);
        s->value3 = n(0, 7);
        s->flag = coin();
        list.push_back(std::move(s));
    }
    for (int i = 1; i <= convSystems; ++i) {
        auto s = std::make_unique<CConvSystem>(sysName());
        s->SetConvSetName(numberedName("CNVSET%02d", i == convSystems ? conv : n(1, conv)));
        list.push_back(std::move(s));
    }
    for (int i = 1; i <= tpgSystems; ++i) {
        auto s = std::make_unique<CTpgSystem>(sysName());
        s->trunkSet = numberedName("TRKSET%02d", n(1, trunk));
        s->groupSet = tpgGroup == 0
                          ? ""
                          : numberedName("TPGGRP%02d", i == tpgSystems ? tpgGroup : n(1, tpgGroup));
        s->spCallSet =
            tpgSpc == 0 ? "" : numberedName("TPGSPC%02d", i == tpgSystems ? tpgSpc : n(1, tpgSpc));
        for (auto& f : s->flags) f = coin();
        s->value2 = n(0, 3);
        s->offset = n(-5, 26);
        if (coin())
            for (auto& slot : s->codeSlots) slot = static_cast<std::uint16_t>(n(0, 255));
        list.push_back(std::move(s));
    }
    // Scan references name systems by position; the matrix lists them in system order.
    const int total = static_cast<int>(list.size());
    for (auto& s : list) {
        auto* t = dynamic_cast<CTrunkSystem*>(s.get());
        if (!t) continue;
        if (coin()) {
            t->scanMode = kPairScanMode;
            t->scanPair = {coin() ? list[n(0, total - 1)]->GetName() : "",
                           list[n(0, total - 1)]->GetName()};
        } else if (coin()) {
            t->prioritySystem = list[n(0, total - 1)]->GetName();
        }
        for (int j = 0; j < total; ++j)
            if (n(0, 3) == 0) t->scannedSystems.push_back(list[j]->GetName());
    }
    // The steps of a trunked set travel in the records of the trunked systems using it.
    for (int i = 0; i < trunk; ++i) {
        auto* set = p.SetAt<CTrunkSet>(i);
        for (auto& s : list)
            if (auto* t = dynamic_cast<CTrunkSystem*>(s.get()); t && t->trunkSet == set->GetName())
                set->steps = 5 * n(0, 3);
    }
    for (auto& s : list) p.AddSystem(std::move(s));
}

void Gen::options(CPersonality& p) {
    auto dtmf = std::make_unique<CDTMFOpts>();
    for (std::size_t i = 0; i < dtmf->fractions.size(); ++i)
        dtmf->fractions[i] = fractionOf(192, CDTMFOpts::kControls[i], 255);
    p.PutOption(std::move(dtmf));
    auto navloc = std::make_unique<CNavlocOpts>();
    navloc->fraction = fractionOf(141, 1197, 255);
    p.PutOption(std::move(navloc));
    auto clearvox = std::make_unique<CClearvoxOpts>();
    clearvox->fraction = fractionOf(195, 1910, 255);
    p.PutOption(std::move(clearvox));
    auto gen = std::make_unique<CGenRadioOpts>();
    if (coin()) gen->SetCallbackMessage(text8());
    p.PutOption(std::move(gen));
    auto agency = std::make_unique<CAgencyData>();
    if (coin())
        for (int i = 0, count = 1 << n(1, 4); i < count; ++i)
            agency->fleets.push_back(1 << n(0, 15));
    p.PutOption(std::move(agency));
    auto extras = std::make_unique<CImageExtras>();
    extras->hasVersion = true;
    extras->versionMajor = 6;
    extras->versionMinor = static_cast<std::uint8_t>(versionMinor_);
    extras->header.assign(104, 0);
    for (std::size_t i = 16; i < 104; i += static_cast<std::size_t>(n(1, 9)))
        extras->header[i] = static_cast<std::uint8_t>(n(0, 255));
    for (std::size_t i : {0, 8, 9, 10, 11, 12, 13, 33, 34, 36, 37, 68, 94, 103})
        extras->header[i] = 0;
    extras->header[40] &= 0x1F;
    extras->header[41] &= 0xBF;
    if (coin()) extras->sections[12] = {1, 2, 3, static_cast<std::uint8_t>(n(0, 255))};
    p.PutOption(std::move(extras));
    auto dual = std::make_unique<CDualsetOpts>();
    dual->value = static_cast<std::uint16_t>(n(0, 65535));
    p.PutOption(std::move(dual));
    if (std::string("CRVUT").find(type_) != std::string::npos) {
        auto status = std::make_unique<CStatus>();
        auto message = std::make_unique<CMessage>();
        for (int i = 0, k = n(0, 3); i < k; ++i) status->items.push_back({n(0, 255), text8()});
        for (int i = 0, k = n(0, 3); i < k; ++i) message->items.push_back({n(0, 255), text8()});
        p.PutOption(std::move(status));
        p.PutOption(std::move(message));
    }
    if (std::string("CRTVU").find(type_) != std::string::npos) {
        auto rci = std::make_unique<CRciSystemGroup>();
        for (int i = 0, k = n(0, 3); i < k && p.GetNumSystems() > 0; ++i) {
            CRciSysGrp e;
            const int s = n(0, p.GetNumSystems() - 1);
            e.system = p.GetSystemAt(s)->GetName();
            if (auto* t = dynamic_cast<CTrunkSystem*>(p.GetSystemAt(s)))
                if (auto* set = p.FindSet<CGroupSet>(t->groupSet); set && !set->items.empty()) {
                    const CGroup& g = set->items[static_cast<std::size_t>(
                        n(0, static_cast<int>(set->items.size()) - 1))];
                    if (g.id != 0) e.group = g.name;
                }
            rci->entries.push_back(e);
        }
        p.PutOption(std::move(rci));
    }
    if (type_ == 'C' && coin()) {
        auto keypad = std::make_unique<CRciKeypad>();
        for (int& k : keypad->keypad) k = n(0, 246);
        p.PutOption(std::move(keypad));
    }
    if (type_ != 'J') {
        auto vs = std::make_unique<CVsOpts>();
        for (int i = 0, k = n(0, 12); i < k; ++i)
            vs->data.push_back(static_cast<std::uint8_t>(n(0, 255)));
        p.PutOption(std::move(vs));
    }
    if (coin()) {
        auto t61 = std::make_unique<CType61Opts>();
        for (auto& s : t61->sets) {
            s.flag = static_cast<std::uint8_t>(n(0, 1));
            for (double& t : s.tones) t = n(0, 3) == 0 ? 0.0 : n(1, 0x3FFF) / 10.0;
        }
        t61->sets[0].tones[1] = 123.4;
        p.PutOption(std::move(t61));
    }
    if (type_ != 'C' && type_ != 'R' && coin()) {
        auto pad = std::make_unique<CScratchPadOpts>();
        pad->idsPresent = coin();
        pad->phonesPresent = !pad->idsPresent || coin();
        if (pad->idsPresent)
            for (auto& id : pad->ids) id = static_cast<std::uint16_t>(n(0, 65535));
        if (pad->phonesPresent)
            for (auto& ph : pad->phones) ph = digits(n(0, 30));
        p.PutOption(std::move(pad));
    }
    if (coin()) {
        auto tpg = std::make_unique<CTelpageOpts>();
        tpg->tonesPresent = coin();
        tpg->phonesPresent = !tpg->tonesPresent || coin();
        if (tpg->tonesPresent)
            for (auto& t : tpg->tones)
                for (auto& b : t.bytes) b = static_cast<std::uint8_t>(n(0, 255));
        if (tpg->phonesPresent)
            for (auto& ph : tpg->phones) ph = digits(n(0, 30), '?');
        p.PutOption(std::move(tpg));
    }
    if (type_ == 'B') {
        auto lock = std::make_unique<CKeypadCtrlOpts_N2>();
        lock->lockSequence = digits(n(0, 15));
        p.PutOption(std::move(lock));
        auto keys = std::make_unique<CTrwFlexKeys>();
        static const char* kFunctionNames[] = {"EMERGNCY", "  HOME  ", "PUB ADDR", "EXT SPKR",
                                               "SCN TOGL", " SPCALL ", "PVT/CLR "};
        for (auto& k : keys->keys) {
            const int kind = n(0, 3);
            if (kind == 1) {
                k.kind = 1;
                k.function = n(1, 7);
                k.name = kFunctionNames[k.function - 1];
            } else if (kind >= 2) {
                k.kind = kind;
                k.digits = digits(n(0, 14));
                const int d0 = k.digits.size() > 0 ? k.digits[0] - '0' : 0;
                const int d1 = k.digits.size() > 1 ? k.digits[1] - '0' : 0;
                k.value = d0 << 4 | d1;
                k.name = text8();
            }
        }
        p.PutOption(std::move(keys));
    }
    bool anyTrunked = false;
    for (const auto& s : p.Systems()) anyTrunked = anyTrunked || s->Kind() == SystemKind::Trunked;
    if (anyTrunked) {
        auto power = std::make_unique<CPowerUpOpts>();
        power->flag = coin();
        p.PutOption(std::move(power));
        auto sysScan = std::make_unique<CSystemScanOpts>();
        sysScan->value = n(0, 15);
        p.PutOption(std::move(sysScan));
        auto scan = std::make_unique<CScanOpts>();
        scan->fraction = fractionOf(194, 1077, 31);
        p.PutOption(std::move(scan));
    }
}

CPersonality Gen::build() {
    CPersonality p(static_cast<std::uint16_t>(type_), "Generated");
    setBand(p, band_);
    const int trunk = n(0, 2 * scale_ > 63 ? 63 : 2 * scale_);
    const int group = trunk ? n(0, 2 * scale_ > 63 ? 63 : 2 * scale_) : 0;
    const int spc = trunk ? n(0, std::min(2 * scale_, 7)) : 0;
    const int conv = n(trunk ? 0 : 1, std::min(2 * scale_, 31));
    const int tpgGroup = trunk ? n(0, 1) : 0, tpgSpc = trunk ? n(0, 1) : 0;
    groupSets(p, group);
    trunkSets(p, trunk);
    convSets(p, conv);
    spCallSets(p, spc);
    tpgSets(p, tpgGroup, tpgSpc);
    systems(p, conv, trunk, group, spc, tpgGroup, tpgSpc);
    options(p);
    return p;
}

}  // namespace

std::string FixtureSpec::label() const {
    return std::string(1, type) + "_band" + std::to_string(band) + (preamble ? "_preamble" : "") +
           "_seed" + std::to_string(seed);
}

hln::RadioIdentity identityFor(char type, int band, bool preambleId) {
    hln::RadioIdentity id;
    id.radioId = {static_cast<std::uint8_t>(type),
                  static_cast<std::uint8_t>(band),
                  static_cast<std::uint8_t>(preambleId ? 20 : 5),
                  0,
                  7,
                  0};
    hln::classifyRadioId(id);
    return id;
}

hln::PersonalityImage imageFor(const hln::RadioIdentity& identity) {
    hln::PersonalityImage image;
    image.buffer.assign(identity.imageSize, 0);
    for (std::size_t i = 0; i < image.tracking.size(); ++i)
        image.tracking[i] = static_cast<std::uint8_t>(0x10 + i);
    image.feature[0] = 0xF0;
    image.feature[2] = 9;
    for (std::size_t i = 3; i < 14; ++i) image.feature[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < image.auxiliary.size(); ++i)
        image.auxiliary[i] = static_cast<std::uint8_t>(0xA0 + i);
    return image;
}

CPersonality generatePersonality(const FixtureSpec& fs, int scale) {
    return Gen(fs, scale).build();
}

Fixture makeFixture(const FixtureSpec& fs, int scale) {
    Fixture f;
    f.fs = fs;
    f.identity = identityFor(fs.type, fs.band, fs.preamble);
    f.image = imageFor(f.identity);
    f.request.toRadio = fs.preamble;
    f.personality = generatePersonality(fs, scale);
    return f;
}

std::vector<FixtureSpec> allFixtureSpecs() {
    std::vector<FixtureSpec> fixtures;
    std::uint32_t seed = 1;
    for (char type : std::string("ABCHJMTUV"))
        for (int band : {1, 2, 5, 7, 11, 12, 13}) fixtures.push_back({type, band, false, seed++});
    for (int band : {1, 7, 11, 12}) fixtures.push_back({'C', band, true, seed++});
    return fixtures;
}

}  // namespace tw::test
