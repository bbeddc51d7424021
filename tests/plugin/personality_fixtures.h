#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/store/personality.h"

namespace tw::test {

// One radio to build a personality for.
struct FixtureSpec {
    char type = 'C';
    int band = 11;
    bool preamble = false;  // a TRV whose ID byte 2 is over 19, written to the radio
    std::uint32_t seed = 1;
    std::string label() const;
};

// What a transfer hands the encoder: identity, image object (records filled), request.
struct Fixture {
    FixtureSpec fs;
    hln::RadioIdentity identity;
    hln::PersonalityImage image;
    EncodeRequest request;
    CPersonality personality;
};

// The identity of a radio of that type and band (image size and name length by type).
hln::RadioIdentity identityFor(char type, int band, bool preambleId = false);
// A zeroed image object of the identity's size with recognisable radio records.
hln::PersonalityImage imageFor(const hln::RadioIdentity& identity);

// A personality in the form decoding yields (padded or generated names, values on their
// steps, every set referred to), drawn from the seed. `scale` sets how much it holds.
CPersonality generatePersonality(const FixtureSpec& fs, int scale = 1);
Fixture makeFixture(const FixtureSpec& fs, int scale = 1);

// Types A, B, C, H, J, M, T, U, V over band codes 1, 2, 5, 7, 11, 12, 13, with and
// without the preamble.
std::vector<FixtureSpec> allFixtureSpecs();

}  // namespace tw::test
