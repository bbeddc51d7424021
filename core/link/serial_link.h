#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "link/cancel.h"
#include "link/device.h"
#include "link/port_map.h"

namespace tw {

class Trace;
class Ui;

// How long the link waits for bytes that are not there yet. A byte already received is
// always taken at once, so a steady stream runs at wire speed whatever these say. Each may be
// overridden for a slow cable in the profile's "Link Timing" section (milliseconds).
struct LinkTiming {
    // slkReadChar: USB serial cables hand bytes over in bursts (a common adapter's latency
    // timer is 16 ms) and the handshakes read right after sending, so the wait must cover a
    // burst plus the radio's turnaround. Two character times are added at the open baud.
    Millis charWaitMs = 50;
    // slkReadBuffer before the first byte: a radio may think a while before it answers. The
    // call's `wait` seconds are added.
    Millis firstByteWaitMs = 1000;
    // slkReadBuffer with wait 0 once a byte has come: the answer is over when the line has
    // been quiet this long, or four character times if that is longer. Answers stream
    // without pauses, so a short gap costs nothing and a short answer ends quickly.
    Millis quietGapMs = 30;

    static constexpr int kCharWaitChars = 2;
    static constexpr int kQuietGapChars = 4;
    // Bits on the line per character: start, 8 data, stop.
    static constexpr int kBitsPerChar = 10;

    // Reads the "Link Timing" section ("Char Wait", "First Byte Wait", "Quiet Gap"); a
    // missing, non-numeric or out-of-range value keeps the default.
    static LinkTiming fromProfile(const Profile& profile);
    // Time of `chars` characters at `baud`, rounded up to the next millisecond.
    static Millis charTimes(int chars, int baud);
};

namespace profile_keys {
inline constexpr const char* kLinkTimingSection = "Link Timing";
inline constexpr const char* kCharWait = "Char Wait";
inline constexpr const char* kFirstByteWait = "First Byte Wait";
inline constexpr const char* kQuietGap = "Quiet Gap";
}  // namespace profile_keys

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
    // Opens the given port (1..9, or whatever the port map knows); the profile is only read.
    SlkHandle slkOpen(int port, int baud);
    int slkClose(SlkHandle h);
    int slkWriteBuffer(SlkHandle h, const char* data, unsigned long count);
    // Returns as soon as count bytes have arrived. With nothing at all it gives up after the
    // first-byte wait plus `wait` seconds. With wait 0 it ends once the line has been quiet
    // for the quiet gap after a byte; a non-zero wait bounds the whole read instead, and no
    // pause in the radio's stream ends it earlier. A short read still succeeds; *received
    // tells how much came.
    int slkReadBuffer(SlkHandle h, void* buffer, unsigned long count, unsigned long* received,
                      int wait);
    // The same read, telling `arrived` the bytes received so far each time more have come: a
    // read that runs for a minute can show how far it is without splitting it, which would
    // change its time-out.
    int slkReadBuffer(SlkHandle h, void* buffer, unsigned long count, unsigned long* received,
                      int wait, const std::function<void(unsigned long)>& arrived);
    // What a poll's read brought; `ok` is false only when the handle is not open.
    struct PollRead {
        bool ok = false;
        std::vector<std::uint8_t> bytes;
    };
    // A read for a loop that asks the radio again and again at its own pace: up to `count`
    // bytes, the first awaited at most `firstByteMs` instead of the first-byte wait above,
    // which would make each try last far longer than the loop means it to. Once a byte has
    // come it ends as a read with wait 0 does: as soon as `count` have come, or when the line
    // has been quiet for the quiet gap.
    PollRead slkReadPoll(SlkHandle h, std::size_t count, Millis firstByteMs);
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

    // The waits of an open handle, at its baud (0 for a handle that is not open).
    Millis charWait(SlkHandle h) const;
    Millis quietGap(SlkHandle h) const;
    Millis firstByteWait(SlkHandle h) const;

    // Cancelling. A front end attaches the signal its Cancel button (or signal handler)
    // raises and brackets each radio operation with begin/endOperation. Once the signal is
    // up, the next call outside a WholeCommand makes the cancel take effect: from then on
    // every call fails at once as on a line that hung up (writes and opens refused, reads
    // empty, pauses skipped), so the flow takes its own failure path without waiting.
    void setCancelSignal(const CancelSignal* signal) { cancel_ = signal; }
    void beginOperation();
    // Ends the operation: after a cancel, every port the operation opened and left open is
    // finished and closed, and so is every port whose radio still waits for its finishing
    // step, whoever opened it (a test sheet's port, opened at its launch, with the
    // transmitter keyed). Returns whether the operation was cancelled.
    bool endOperation();
    bool cancelled() const { return cancelled_; }
    // Bytes that leave the radio safe should the operation be cancelled before it sends its
    // own undoing (the exit from test mode, unkeying). Sent when a cancelled operation's
    // port closes; forgotten on every close.
    void setFinishing(SlkHandle h, std::string bytes);
    void clearFinishing(SlkHandle h) { finishing_.erase(h); }

    // While one lives, a cancel waits: a command and the data that belongs to it go out
    // together. Several radios store whatever follows a write command, so a command cut off
    // from its data would store the next bytes sent.
    class WholeCommand {
      public:
        explicit WholeCommand(SerialLink& link) : link_(link) { ++link_.wholeDepth_; }
        ~WholeCommand() { --link_.wholeDepth_; }
        WholeCommand(const WholeCommand&) = delete;
        WholeCommand& operator=(const WholeCommand&) = delete;

      private:
        SerialLink& link_;
    };

    // How often a wait looks at the cancel signal; a wait never outlasts a cancel by more.
    static constexpr Millis kCancelPollMs = 50;

  private:
    struct OpenLine {
        std::unique_ptr<Device> device;
        int baud = 0;
        LinkTiming timing;
    };
    Device* device(SlkHandle h) const;
    const OpenLine* line(SlkHandle h) const;
    // True when the operation has been cancelled (taking effect now if the signal is up).
    bool halted();
    // A device read that gives up early once a cancel takes effect.
    std::size_t waitRead(Device& dev, std::uint8_t* out, std::size_t max, Millis waitMs);
    // Reads until `count` bytes have come. The first byte is awaited `firstWaitMs`; after it,
    // a bounded read waits until that first wait is over, any other the quiet gap.
    unsigned long readUpTo(SlkHandle h, Device& dev, std::uint8_t* out, unsigned long count,
                           Millis firstWaitMs, bool bounded,
                           const std::function<void(unsigned long)>& arrived);
    void finish(SlkHandle h, Device& dev);

    const Profile& profile_;
    DeviceFactory& devices_;
    Clock& clock_;
    Ui& ui_;
    PortMap ports_;
    Trace* trace_ = nullptr;
    std::map<SlkHandle, OpenLine> open_;
    SlkHandle nextHandle_ = 1;
    std::string lastOpenError_;
    const CancelSignal* cancel_ = nullptr;
    bool cancelled_ = false;
    int wholeDepth_ = 0;
    std::set<SlkHandle> openedInOperation_;
    std::map<SlkHandle, std::string> finishing_;
};

}  // namespace tw
