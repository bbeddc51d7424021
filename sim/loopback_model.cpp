#include "sim/loopback_model.h"

#include <vector>

namespace tw::sim {

void LoopbackModel::onByte(std::uint8_t byte, Millis now) {
    if (byte != kBurstCommand) {
        sendByte(byte, now);
        return;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(burst_));
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
    send(data.data(), data.size(), now);
}

}  // namespace tw::sim
