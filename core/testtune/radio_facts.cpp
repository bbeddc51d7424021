#include "testtune/radio_facts.h"

#include "util/text.h"

namespace tw::testtune {

std::string testRadioTypeName(std::uint8_t code) {
    switch (code) {
        case 0x58:
        case 0x5E:
            return "Ocelot 80P System";
        case 0x59:
        case 0x5F:
            return "Ocelot 80P Scan";
        case 0x60:
        case 0x63:
            return "Facet HP/GVE";
        case 0x61:
        case 0x64:
            return "Facet HP/GVE Scan";
        case 0x65:
            return "R310 System";
        case 0x66:
            return "R310 Scan";
        case 0x67:
            return "V310";
        case 0x68:
            return "R310 Select";
        case 0x69:
            return "R210 Select";
        case 0x6A:
            return "R210 Scan";
        default:
            return "Unknown";
    }
}

std::string describeFacts(const RadioFacts& facts) {
    const char* band = facts.band == kBand800   ? "800 MHz"
                       : facts.band == kBand900 ? "900 MHz"
                                                : "unknown";
    return format("radio type 0x%02X (%s), code version %02X.%02X, band split %s", facts.radioType,
                  testRadioTypeName(facts.radioType).c_str(), facts.versionMajor,
                  facts.versionMinor, band);
}

}  // namespace tw::testtune
