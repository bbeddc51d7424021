#include "link/trace.h"

#include <cstdio>

namespace tw {

Trace::Trace(const std::string& path, const Clock& clock)
    : out_(path, std::ios::out | std::ios::trunc), clock_(clock), start_(clock.now()) {}

std::string Trace::formatBytes(const std::uint8_t* data, std::size_t count) {
    std::string hex;
    std::string text;
    char pair[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", data[i]);
        if (i) hex += ' ';
        hex += pair;
        text += (data[i] >= 0x20 && data[i] < 0x7F) ? static_cast<char>(data[i]) : '.';
    }
    return hex + "  |" + text + "|";
}

void Trace::line(const char* direction, const std::string& body) {
    if (!out_.is_open()) return;
    Millis t = clock_.now() - start_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%8lld.%03lld ", static_cast<long long>(t / 1000),
                  static_cast<long long>(t % 1000));
    out_ << stamp << direction << ' ' << body << '\n';
    out_.flush();
}

void Trace::sent(const std::uint8_t* data, std::size_t count) {
    line("TX", formatBytes(data, count));
}

void Trace::received(const std::uint8_t* data, std::size_t count) {
    line("RX", formatBytes(data, count));
}

void Trace::event(const std::string& what) {
    line("--", what);
}

}  // namespace tw
