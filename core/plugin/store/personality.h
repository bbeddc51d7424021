#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tw {

// Root object of a radio personality. The link code needs only the radio type code: the
// caller stores the type it expects before connecting (it selects the handshake) and
// identification replaces it with the letter the radio reports. Systems, sets and options
// join this class when the personality conversion is built.
class CPersonality {
  public:
    CPersonality() = default;
    CPersonality(std::uint16_t type, std::string name) : radioType(type), name_(std::move(name)) {}

    const std::string& GetName() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // A character code of the radio-type letters ("C" = 0x43, ...).
    std::uint16_t radioType = 0;

  private:
    std::string name_;
};

}  // namespace tw
