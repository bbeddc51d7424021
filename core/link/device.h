#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "clock/clock.h"

namespace tw {

// One open serial line. A device knows nothing of radios: bytes, breaks and modem lines.
class Device {
  public:
    virtual ~Device() = default;

    // Sends all bytes; false when the line refused them.
    virtual bool write(const std::uint8_t* data, std::size_t count) = 0;

    // Returns the bytes already received at once (up to max). When nothing is there, waits
    // at most `waitMs` for the first byte. 0 means nothing arrived in time.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t max, Millis waitMs) = 0;

    virtual bool sendBreak(int durationMs) = 0;
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;
};

// Why a port did not open, in words a technician can act on.
struct OpenError {
    std::string reason;
};

using OpenResult = std::variant<std::unique_ptr<Device>, OpenError>;

class DeviceFactory {
  public:
    virtual ~DeviceFactory() = default;
    virtual OpenResult open(const std::string& path, int baud) = 0;
};

}  // namespace tw
