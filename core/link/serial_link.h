#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "link/device.h"
#include "link/port_map.h"

namespace tw {

class Trace;
class Ui;

using SlkHandle = int;
inline constexpr SlkHandle kNoLink = -1;

// The serial-link library as the radio code uses it: open one port, move bytes with bounded
// waits, drive break/DTR/RTS, pause, and show the status window. Results follow the library
// convention: non-zero for success, 0 for failure.
class SerialLink {
  public:
    SerialLink(const Profile& profile, DeviceFactory& devices, Clock& clock, Ui& ui);
    ~SerialLink();

    PortMap& ports() { return ports_; }
    Clock& clock() { return clock_; }
    void setTrace(Trace* trace) { trace_ = trace; }

    // Opens the port named by "Port Number" of "Comm Settings" at the moment of the call.
    // `first` is kept for the callers' sake and does not choose the port.
    SlkHandle slkInit(int first, int baud);
    int slkClose(SlkHandle h);
    int slkWriteBuffer(SlkHandle h, const char* data, unsigned long count);
    // Returns when count bytes have arrived or the line has been quiet for the wait's gap
    // (1 s, plus `wait` seconds). A short read still succeeds; *received tells how much came.
    int slkReadBuffer(SlkHandle h, void* buffer, unsigned long count, unsigned long* received,
                      int wait);
    int slkReadChar(SlkHandle h, int& byte);
    int slkWriteChar(SlkHandle h, char byte);
    int slkBreak(SlkHandle h, int duration);
    int slkSetDTR(SlkHandle h, int on);
    int slkSetRTS(SlkHandle h, int on);
    void slkSleep(SlkHandle h, int milliseconds);

    void OpenStatus();
    void SetStatusText(const std::string& text);
    void CloseStatus();

    // Why the last slkInit returned kNoLink (empty after a successful open).
    const std::string& lastOpenError() const { return lastOpenError_; }
    bool isOpen(SlkHandle h) const { return open_.count(h) != 0; }

    // Waits of the library: how long slkReadChar waits for a byte that is not there yet,
    // and the quiet gap that ends slkReadBuffer (plus `wait` seconds).
    static constexpr Millis kCharWaitMs = 50;
    static constexpr Millis kBufferGapMs = 1000;

  private:
    Device* device(SlkHandle h) const;

    const Profile& profile_;
    DeviceFactory& devices_;
    Clock& clock_;
    Ui& ui_;
    PortMap ports_;
    Trace* trace_ = nullptr;
    std::map<SlkHandle, std::unique_ptr<Device>> open_;
    SlkHandle nextHandle_ = 1;
    std::string lastOpenError_;
};

}  // namespace tw
