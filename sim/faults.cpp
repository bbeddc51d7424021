#include "sim/faults.h"

#include <cstdlib>

namespace tw::sim {

bool Faults::parse(const std::string& text) {
    const auto at = text.find('@');
    if (at != std::string::npos) {
        char* end = nullptr;
        const long index = std::strtol(text.c_str() + at + 1, &end, 10);
        if (at + 1 == text.size() || *end != '\0' || index < 0) return false;
        const std::string which = text.substr(0, at);
        if (which == "drop")
            dropAt = index;
        else if (which == "garble")
            garbleAt = index;
        else
            return false;
        return true;
    }
    auto eq = text.find('=');
    std::string name = text.substr(0, eq);
    long value = 0;
    if (eq != std::string::npos) {
        char* end = nullptr;
        value = std::strtol(text.c_str() + eq + 1, &end, 10);
        if (*end != '\0' || value < 0) return false;
    }
    if (name == "silent" && eq == std::string::npos)
        silent = true;
    else if (name == "wrong" && eq == std::string::npos)
        wrongAnswer = true;
    else if (name == "chatter" && eq == std::string::npos)
        chatter = true;
    else if (name == "drop" && value > 0)
        dropEvery = static_cast<int>(value);
    else if (name == "garble" && value > 0)
        garbleEvery = static_cast<int>(value);
    else if (name == "hangup" && eq != std::string::npos)
        hangupAfter = value;
    else
        return false;
    return true;
}

std::optional<std::uint8_t> Faults::apply(std::uint8_t byte, long index) const {
    if (silent) return std::nullopt;
    if (hangupAfter >= 0 && index >= hangupAfter) return std::nullopt;
    const long n = index + 1;
    if (dropEvery > 0 && n % dropEvery == 0) return std::nullopt;
    if (index == dropAt) return std::nullopt;
    if (garbleEvery > 0 && n % garbleEvery == 0) byte = static_cast<std::uint8_t>(~byte);
    if (index == garbleAt) byte = static_cast<std::uint8_t>(~byte);
    if (wrongAnswer) byte ^= 0x01;
    return byte;
}

}  // namespace tw::sim
