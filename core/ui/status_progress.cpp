#include "ui/status_progress.h"

#include <algorithm>
#include <cctype>

namespace tw {
namespace {

std::optional<long> digitsAt(const std::string& s, std::size_t i) {
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return std::nullopt;
    long v = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        v = std::min(v * 10 + (s[i] - '0'), 1000L);
    return v;
}

int clampPercent(long v) {
    return static_cast<int>(std::clamp(v, 0L, 100L));
}

}  // namespace

std::optional<int> statusPercent(const std::string& text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // "Percent Complete = 42": the number after the '=' that follows the word.
    const auto word = lower.find("percent");
    if (word != std::string::npos) {
        const auto eq = lower.find('=', word);
        if (eq != std::string::npos) {
            std::size_t i = eq + 1;
            while (i < lower.size() && lower[i] == ' ') ++i;
            if (auto v = digitsAt(lower, i)) return clampPercent(*v);
        }
    }
    // "42%": the digits right before the sign.
    const auto sign = lower.find('%');
    if (sign != std::string::npos && sign > 0) {
        std::size_t start = sign;
        while (start > 0 && std::isdigit(static_cast<unsigned char>(lower[start - 1]))) --start;
        if (auto v = digitsAt(lower, start); v && start < sign) return clampPercent(*v);
    }
    return std::nullopt;
}

}  // namespace tw
