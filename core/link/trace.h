#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "clock/clock.h"

namespace tw {

// Serial traffic trace for fault reports: one line per event with the time since the trace
// began, the direction and the bytes as hex and printable text.
class Trace {
  public:
    Trace(const std::string& path, const Clock& clock);
    bool isOpen() const { return out_.is_open(); }

    void sent(const std::uint8_t* data, std::size_t count);
    void received(const std::uint8_t* data, std::size_t count);
    void event(const std::string& what);

    static std::string formatBytes(const std::uint8_t* data, std::size_t count);

  private:
    void line(const char* direction, const std::string& body);
    std::ofstream out_;
    const Clock& clock_;
    Millis start_;
};

}  // namespace tw
