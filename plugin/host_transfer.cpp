#include "host_transfer.h"

#include <memory>
#include <utility>

#include "config/profile.h"
#include "host_objects.h"
#include "link/serial_link.h"

namespace tw::plugin {
namespace {

// The host's cancel request as the link's cancel signal. The link looks at the signal at
// each call and after each slice of a wait; the host cannot raise it from inside the
// plug-in, so the line and the clock the link waits on ask the host at those same moments,
// after each exchange with the port and each slice of a pause. Once the host has asked, the
// signal stays up for the rest of the transfer.
class HostCancel {
  public:
    explicit HostCancel(const TwHost* host) : host_(host) {}
    void poll() {
        if (!signal_.requested() && host_ && host_->cancelRequested &&
            host_->cancelRequested(host_->context) != 0)
            signal_.request();
    }
    CancelSignal& signal() { return signal_; }

  private:
    const TwHost* host_;
    CancelSignal signal_;
};

class PollingDevice : public Device {
  public:
    PollingDevice(std::unique_ptr<Device> inner, HostCancel& cancel)
        : inner_(std::move(inner)), cancel_(cancel) {}
    bool write(const std::uint8_t* data, std::size_t count) override {
        return polled(inner_->write(data, count));
    }
    std::size_t read(std::uint8_t* buffer, std::size_t max, Millis waitMs) override {
        return polled(inner_->read(buffer, max, waitMs));
    }
    bool sendBreak(int durationMs) override { return polled(inner_->sendBreak(durationMs)); }
    bool setDtr(bool on) override { return polled(inner_->setDtr(on)); }
    bool setRts(bool on) override { return polled(inner_->setRts(on)); }

  private:
    template <class T>
    T polled(T result) {
        cancel_.poll();
        return result;
    }
    std::unique_ptr<Device> inner_;
    HostCancel& cancel_;
};

class PollingDevices : public DeviceFactory {
  public:
    PollingDevices(DeviceFactory& inner, HostCancel& cancel) : inner_(inner), cancel_(cancel) {}
    OpenResult open(const std::string& path, int baud) override {
        OpenResult result = inner_.open(path, baud);
        if (auto* device = std::get_if<std::unique_ptr<Device>>(&result))
            return std::make_unique<PollingDevice>(std::move(*device), cancel_);
        return result;
    }

  private:
    DeviceFactory& inner_;
    HostCancel& cancel_;
};

class PollingClock : public Clock {
  public:
    PollingClock(Clock& inner, HostCancel& cancel) : inner_(inner), cancel_(cancel) {}
    Millis now() const override { return inner_.now(); }
    void sleep(Millis ms) override {
        inner_.sleep(ms);
        cancel_.poll();
    }

  private:
    Clock& inner_;
    HostCancel& cancel_;
};

}  // namespace

TransferOutcome runHostTransfer(const TwHost* host, const HostChoices& choices,
                                DeviceFactory& devices, Clock& clock, std::optional<RadioWork> work,
                                const TransferFlow& flow) {
    HostUi ui(host);
    Profile profile(choices.profile.empty() ? Profile::defaultPath() : choices.profile);
    HostCancel cancel(host);
    PollingDevices lines(devices, cancel);
    PollingClock pauses(clock, cancel);
    SerialLink link(profile, lines, pauses, ui);
    if (!choices.device.empty()) link.ports().setRunDevice(choices.device);
    CancellableUi guarded(ui, link);
    AppState app;
    app.currentPort = 1;
    app.writeWithoutCopy = host && host->writeWithoutCopy != 0;
    Env env{work ? static_cast<Ui&>(guarded) : ui, pauses, profile, link, app};
    TransferSettings settings;
    settings.dumpFolder = choices.dumpFolder;
    if (!work) return flow(env, settings);

    // A cancel asked for before the transfer began stops it at its first call.
    cancel.poll();
    TransferOutcome outcome = TransferOutcome::Failed;
    const OperationOutcome run = runRadioOperation(link, cancel.signal(), ui, *work, [&] {
        outcome = flow(env, settings);
        return outcome == TransferOutcome::Done;
    });
    return run.cancelled ? TransferOutcome::Cancelled : outcome;
}

}  // namespace tw::plugin
