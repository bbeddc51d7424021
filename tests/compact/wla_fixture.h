#pragma once

#include <string>
#include <vector>

#include "families/compact/wla_page.h"
#include "kvr/kvr_fixture.h"
#include "sim/compact/wla_radio_model.h"
#include "util/text.h"

namespace tw::compact::wla_test {

using kvr::test::readBytes;
using kvr::test::writeBytes;

// A WLA radio that also notes when each byte from the PC arrived.
class TimedWla : public sim::WlaRadioModel {
  public:
    using WlaRadioModel::WlaRadioModel;
    void onByte(std::uint8_t byte, Millis now) override {
        times.push_back(now);
        WlaRadioModel::onByte(byte, now);
    }
    std::vector<Millis> times;
};

// The KVR bench with a WLA radio and the page; what the PC sent as bytes.
struct WlaBench : kvr::test::Bench<TimedWla> {
    CWlaPage page{env};
    using Bench::Bench;
    const std::vector<std::uint8_t>& fromPc() { return devices.model().received(); }
};

// An S1 file: `records` records of 16 bytes from `start`, byte value from the address.
inline std::string motFile(int records, std::uint32_t start = 0x2000, std::uint8_t salt = 0) {
    std::string out = "S00600004844521B\n";
    for (int r = 0; r < records; ++r) {
        const std::uint32_t a = start + static_cast<std::uint32_t>(r) * 16;
        unsigned sum = 0x13 + (a >> 8) + (a & 0xFF);
        std::string line = format("S113%04X", a);
        for (int i = 0; i < 16; ++i) {
            const auto b = static_cast<std::uint8_t>((a + i) * 5 + salt);
            line += format("%02X", b);
            sum += b;
        }
        out += line + format("%02X\n", ~sum & 0xFF);
    }
    return out;
}

}  // namespace tw::compact::wla_test
