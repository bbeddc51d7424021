#include "plugin/codec/tone_gate.h"

#include <cmath>
#include <cstdio>

#include "plugin/validation/c_number.h"

namespace tw {
namespace {

// The 104 standard digital squelch codes, written with their octal digits.
constexpr int kDigitalCodes[104] = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

int octalValue(int digits) {
    return (digits / 100) * 64 + (digits / 10 % 10) * 8 + digits % 10;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool allDigits(const std::string& s) {
    if (s.empty() || s.size() > 4) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

int digitalCodeIndex(int code) {
    for (int c : kDigitalCodes) {
        if (c != code) continue;
        // Two codes sit where their octal value does not put them.
        if (code == 116) return 48;
        if (code == 446) return 3;
        const int value = octalValue(code);
        return value < 256 ? value : -1;
    }
    return -1;
}

int digitalCodeOfIndex(int index) {
    for (int c : kDigitalCodes)
        if (digitalCodeIndex(c) == index) return c;
    return -1;
}

std::string decodeToneGate(std::uint8_t first, std::uint8_t second, bool specialMode) {
    if (specialMode) return second == 0 ? "3052" : "2919";
    if ((first & 0x0F) == 0 && second == 0) return {};
    char text[32];
    if ((first & 0x40) == 0) {
        std::snprintf(text, sizeof text, "%3.1f", (((first & 0x0F) << 8) | second) / 10.0);
    } else {
        const int code = digitalCodeOfIndex(second);
        if (code < 0)
            std::snprintf(text, sizeof text, "#%d", second);
        else
            std::snprintf(text, sizeof text, "%3d", code);
    }
    return text;
}

std::optional<ToneGateBytes> encodeToneGate(const std::string& text, bool specialMode,
                                            std::string& why) {
    const std::string t = trimmed(text);
    if (specialMode) {
        if (t == "3052") return ToneGateBytes{0, 0};
        if (t == "2919") return ToneGateBytes{0, 1};
        why = "only 3052 or 2919 in special mode";
        return std::nullopt;
    }
    if (t.empty()) return ToneGateBytes{};
    if (t[0] == '#' && allDigits(t.substr(1))) {
        const int index = cInteger(t.substr(1));
        if (index >= 1 && index <= 255)
            return ToneGateBytes{0x40, static_cast<std::uint8_t>(index)};
    } else if (t.find('.') != std::string::npos) {
        const double tenths = cDecimal(t) * 10.0;
        const double whole = std::round(tenths);
        if (whole >= 1 && whole <= 0xFFF && std::fabs(tenths - whole) < 0.01) {
            const int v = static_cast<int>(whole);
            return ToneGateBytes{static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v & 0xFF)};
        }
    } else if (allDigits(t)) {
        const int index = digitalCodeIndex(cInteger(t));
        if (index > 0) return ToneGateBytes{0x40, static_cast<std::uint8_t>(index)};
        why = "digital code " + t + " has no radio index";
        return std::nullopt;
    }
    why = "Tone Gate code \"" + text + "\" cannot be stored";
    return std::nullopt;
}

}  // namespace tw
