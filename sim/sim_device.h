#pragma once

#include <memory>

#include "clock/clock.h"
#include "link/device.h"
#include "sim/faults.h"
#include "sim/radio_model.h"

namespace tw::sim {

// A serial line with a radio model on the far end, in the same process. Waiting is done on
// the given clock, so with a VirtualClock a time-out costs no real time.
class SimDevice : public Device {
  public:
    SimDevice(RadioModel& model, Clock& clock, const Faults& faults, long& sentIndex,
              long& receivedIndex)
        : model_(model),
          clock_(clock),
          faults_(faults),
          sentIndex_(sentIndex),
          receivedIndex_(receivedIndex) {}

    bool write(const std::uint8_t* data, std::size_t count) override;
    std::size_t read(std::uint8_t* buffer, std::size_t max, Millis waitMs) override;
    bool sendBreak(int durationMs) override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;

  private:
    std::size_t takeReady(std::uint8_t* buffer, std::size_t max);
    RadioModel& model_;
    Clock& clock_;
    const Faults& faults_;
    long& sentIndex_;
    long& receivedIndex_;
    bool rts_ = true;
};

// Opens every path on the same radio, whose memory lives as long as the factory.
class SimDeviceFactory : public DeviceFactory {
  public:
    SimDeviceFactory(std::unique_ptr<RadioModel> model, Clock& clock)
        : model_(std::move(model)), clock_(clock) {}

    OpenResult open(const std::string& path, int baud) override;

    RadioModel& model() { return *model_; }
    Faults& faults() { return faults_; }
    int opens() const { return opens_; }
    int lastBaud() const { return lastBaud_; }
    const std::string& lastPath() const { return lastPath_; }
    // The next opens fail with this reason (empty: they succeed).
    void failOpens(std::string reason) { failReason_ = std::move(reason); }

  private:
    std::unique_ptr<RadioModel> model_;
    Clock& clock_;
    Faults faults_;
    long sentIndex_ = 0;
    long receivedIndex_ = 0;
    int opens_ = 0;
    int lastBaud_ = 0;
    std::string lastPath_;
    std::string failReason_;
};

}  // namespace tw::sim
