#include "testtune/hdt_reply.h"

namespace tw::testtune {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::uint8_t> hexPair(std::string_view text, std::size_t at) {
    if (at + 2 > text.size()) return std::nullopt;
    const int high = hexDigit(text[at]);
    const int low = hexDigit(text[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace

bool replyHas(std::string_view reply, std::string_view marker) {
    return reply.find(marker) != std::string_view::npos;
}

std::optional<int> keyedValue(std::string_view reply, std::string_view key, std::size_t width) {
    const std::size_t at = reply.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = at + key.size();
    if (reply.size() - start < width) return std::nullopt;
    int value = 0;
    std::size_t digits = 0;
    for (; digits < width; ++digits) {
        const char c = reply[start + digits];
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    if (digits == 0) return std::nullopt;
    return value;
}

std::optional<std::string> dacText(std::string_view reply) {
    const std::size_t at = reply.find("PASS");
    if (at == std::string_view::npos || reply.size() < at + 7 + 3) return std::nullopt;
    return std::string(reply.substr(at + 7, 3));
}

std::optional<CodeVersion> codeVersion(std::string_view reply) {
    const std::size_t colon = reply.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto major = hexPair(reply, colon + 2);
    const auto minor = hexPair(reply, colon + 5);
    if (!major || !minor) return std::nullopt;
    return CodeVersion{*major, *minor};
}

std::optional<std::string> memoryByteField(std::string_view reply) {
    const std::size_t colon = reply.rfind(':');
    if (colon == std::string_view::npos || reply.size() < colon + 2 + 2) return std::nullopt;
    return std::string(reply.substr(colon + 2, 2));
}

std::optional<KeyEvent> keyEvent(std::string_view reply) {
    KeyEvent e;
    e.ended = replyHas(reply, "\n\r*") || (!reply.empty() && reply.front() == '*');
    if (reply.size() >= 2) {
        e.pressed = reply[0] == '1';
        e.key = reply[1];
    } else if (!e.ended) {
        return std::nullopt;
    }
    return e;
}

}  // namespace tw::testtune
