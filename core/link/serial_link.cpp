#include "link/serial_link.h"

#include <algorithm>

#include "link/trace.h"
#include "ui/ui.h"

namespace tw {

SerialLink::SerialLink(const Profile& profile, DeviceFactory& devices, Clock& clock, Ui& ui)
    : profile_(profile), devices_(devices), clock_(clock), ui_(ui), ports_(profile) {}

SerialLink::~SerialLink() = default;

namespace {

// Longer than any wait a cable could need; a larger value is a typing error, not a cable.
constexpr Millis kLongestTimingMs = 60000;

Millis timingValue(const Profile& profile, const char* key, Millis fallback) {
    const int v = profile.getInt(profile_keys::kLinkTimingSection, key, -1);
    return v > 0 && v <= kLongestTimingMs ? v : fallback;
}

}  // namespace

LinkTiming LinkTiming::fromProfile(const Profile& profile) {
    LinkTiming t;
    t.charWaitMs = timingValue(profile, profile_keys::kCharWait, t.charWaitMs);
    t.firstByteWaitMs = timingValue(profile, profile_keys::kFirstByteWait, t.firstByteWaitMs);
    t.quietGapMs = timingValue(profile, profile_keys::kQuietGap, t.quietGapMs);
    return t;
}

Millis LinkTiming::charTimes(int chars, int baud) {
    if (baud <= 0) return 0;
    const Millis bits = Millis{chars} * kBitsPerChar * 1000;
    return (bits + baud - 1) / baud;
}

const SerialLink::OpenLine* SerialLink::line(SlkHandle h) const {
    auto it = open_.find(h);
    return it == open_.end() ? nullptr : &it->second;
}

Device* SerialLink::device(SlkHandle h) const {
    const OpenLine* l = line(h);
    return l ? l->device.get() : nullptr;
}

Millis SerialLink::charWait(SlkHandle h) const {
    const OpenLine* l = line(h);
    if (!l) return 0;
    return l->timing.charWaitMs + LinkTiming::charTimes(LinkTiming::kCharWaitChars, l->baud);
}

Millis SerialLink::quietGap(SlkHandle h) const {
    const OpenLine* l = line(h);
    if (!l) return 0;
    return std::max(l->timing.quietGapMs,
                    LinkTiming::charTimes(LinkTiming::kQuietGapChars, l->baud));
}

Millis SerialLink::firstByteWait(SlkHandle h) const {
    const OpenLine* l = line(h);
    return l ? l->timing.firstByteWaitMs : 0;
}

SlkHandle SerialLink::slkInit(int /*first*/, int baud) {
    return slkOpen(profile_.getInt(profile_keys::kCommSection, profile_keys::kPortNumber, -1),
                   baud);
}

SlkHandle SerialLink::slkOpen(int port, int baud) {
    lastOpenError_.clear();
    const std::string path = ports_.devicePath(port);
    if (halted()) {
        lastOpenError_ = "The operation was cancelled.";
    } else if (path.empty()) {
        lastOpenError_ = "No serial port is chosen (port " + std::to_string(port) +
                         "); choose one in Comm Settings.";
    } else {
        OpenResult result = devices_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&result)) {
            const SlkHandle h = nextHandle_++;
            open_[h] = OpenLine{std::move(*dev), baud, LinkTiming::fromProfile(profile_)};
            openedInOperation_.insert(h);
            if (trace_) trace_->event("open " + path + " at " + std::to_string(baud) + " baud");
            return h;
        }
        lastOpenError_ = path + ": " + std::get<OpenError>(result).reason;
    }
    if (trace_) trace_->event("open failed: " + lastOpenError_);
    ui_.detail(lastOpenError_);
    return kNoLink;
}

int SerialLink::slkClose(SlkHandle h) {
    auto it = open_.find(h);
    if (it == open_.end()) return 0;
    if (cancelled_) finish(h, *it->second.device);
    finishing_.erase(h);
    openedInOperation_.erase(h);
    open_.erase(it);
    if (trace_) trace_->event("close");
    return 1;
}

void SerialLink::finish(SlkHandle h, Device& dev) {
    auto f = finishing_.find(h);
    if (f == finishing_.end()) return;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(f->second.data());
    if (trace_) trace_->sent(bytes, f->second.size());
    dev.write(bytes, f->second.size());
    finishing_.erase(f);
}

void SerialLink::setFinishing(SlkHandle h, std::string bytes) {
    if (open_.count(h)) finishing_[h] = std::move(bytes);
}

void SerialLink::beginOperation() {
    cancelled_ = false;
    openedInOperation_.clear();
}

bool SerialLink::endOperation() {
    const bool wasCancelled = cancelled_;
    if (wasCancelled) {
        std::set<SlkHandle> left = openedInOperation_;
        for (const auto& [h, bytes] : finishing_) left.insert(h);
        for (SlkHandle h : left) slkClose(h);
    }
    openedInOperation_.clear();
    cancelled_ = false;
    return wasCancelled;
}

bool SerialLink::halted() {
    if (cancelled_) return true;
    if (wholeDepth_ > 0 || !cancel_ || !cancel_->requested()) return false;
    cancelled_ = true;
    if (trace_) trace_->event("cancelled");
    return true;
}

std::size_t SerialLink::waitRead(Device& dev, std::uint8_t* out, std::size_t max, Millis waitMs) {
    if (!cancel_ || wholeDepth_ > 0) return dev.read(out, max, waitMs);
    // Waiting in slices changes nothing on the line: a byte ends any slice at once.
    for (;;) {
        const Millis slice = std::min(waitMs, kCancelPollMs);
        const std::size_t n = dev.read(out, max, slice);
        if (n > 0) return n;
        waitMs -= slice;
        if (waitMs <= 0 || halted()) return 0;
    }
}

int SerialLink::slkWriteBuffer(SlkHandle h, const char* data, unsigned long count) {
    Device* dev = device(h);
    if (!dev || halted()) return 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    if (trace_) trace_->sent(bytes, count);
    return dev->write(bytes, count) ? 1 : 0;
}

int SerialLink::slkReadBuffer(SlkHandle h, void* buffer, unsigned long count,
                              unsigned long* received, int wait) {
    return slkReadBuffer(h, buffer, count, received, wait, {});
}

int SerialLink::slkReadBuffer(SlkHandle h, void* buffer, unsigned long count,
                              unsigned long* received, int wait,
                              const std::function<void(unsigned long)>& arrived) {
    if (received) *received = 0;
    Device* dev = device(h);
    if (!dev || !buffer) return 0;
    if (halted()) return 1;  // as a line that hung up: the read succeeds with nothing
    const Millis firstWait = firstByteWait(h) + (wait > 0 ? Millis{wait} * 1000 : 0);
    const unsigned long got =
        readUpTo(h, *dev, static_cast<std::uint8_t*>(buffer), count, firstWait, wait > 0, arrived);
    if (received) *received = got;
    return 1;
}

SerialLink::PollRead SerialLink::slkReadPoll(SlkHandle h, std::size_t count, Millis firstByteMs) {
    PollRead result;
    Device* dev = device(h);
    if (!dev) return result;
    result.ok = true;
    if (halted()) return result;  // as a line that hung up: nothing came
    result.bytes.resize(count);
    // A negative wait would be no bound at all for some serial drivers.
    const Millis firstWait = std::max<Millis>(0, firstByteMs);
    const unsigned long got = readUpTo(h, *dev, result.bytes.data(),
                                       static_cast<unsigned long>(count), firstWait, false, {});
    result.bytes.resize(got);
    return result;
}

unsigned long SerialLink::readUpTo(SlkHandle h, Device& dev, std::uint8_t* out, unsigned long count,
                                   Millis firstWaitMs, bool bounded,
                                   const std::function<void(unsigned long)>& arrived) {
    const Millis deadline = clock_.now() + firstWaitMs;
    const Millis gap = quietGap(h);
    unsigned long got = 0;
    while (got < count) {
        Millis w = 0;
        if (bounded)
            w = std::max<Millis>(0, deadline - clock_.now());
        else
            w = got == 0 ? firstWaitMs : gap;
        const std::size_t n = waitRead(dev, out + got, count - got, w);
        if (n == 0) break;
        if (trace_) trace_->received(out + got, n);
        got += static_cast<unsigned long>(n);
        if (arrived) arrived(got);
    }
    return got;
}

int SerialLink::slkReadChar(SlkHandle h, int& byte) {
    Device* dev = device(h);
    if (!dev || halted()) return 0;
    std::uint8_t b = 0;
    if (waitRead(*dev, &b, 1, charWait(h)) != 1) return 0;
    if (trace_) trace_->received(&b, 1);
    byte = b;
    return 1;
}

int SerialLink::slkWriteChar(SlkHandle h, char byte) {
    return slkWriteBuffer(h, &byte, 1);
}

int SerialLink::slkBreak(SlkHandle h, int duration) {
    Device* dev = device(h);
    if (!dev || halted()) return 0;
    if (trace_) trace_->event("break " + std::to_string(duration) + " ms");
    return dev->sendBreak(duration) ? 1 : 0;
}

int SerialLink::slkSetDTR(SlkHandle h, int on) {
    Device* dev = device(h);
    if (!dev || halted()) return 0;
    if (trace_) trace_->event(on ? "DTR on" : "DTR off");
    return dev->setDtr(on != 0) ? 1 : 0;
}

int SerialLink::slkSetRTS(SlkHandle h, int on) {
    Device* dev = device(h);
    if (!dev || halted()) return 0;
    if (trace_) trace_->event(on ? "RTS on" : "RTS off");
    return dev->setRts(on != 0) ? 1 : 0;
}

void SerialLink::slkSleep(SlkHandle /*h*/, int milliseconds) {
    if (!cancel_ || wholeDepth_ > 0 || milliseconds <= 0) {
        clock_.sleep(milliseconds);
        return;
    }
    Millis left = milliseconds;
    while (left > 0 && !halted()) {
        const Millis slice = std::min(left, kCancelPollMs);
        clock_.sleep(slice);
        left -= slice;
    }
}

void SerialLink::OpenStatus() {
    ui_.openStatus();
}

void SerialLink::SetStatusText(const std::string& text) {
    ui_.setStatusText(text);
}

void SerialLink::CloseStatus() {
    ui_.closeStatus();
}

}  // namespace tw
