#include "families/hln/hln_link.h"

#include <utility>

#include "families/hln/hln_messages.h"
#include "ui/ui.h"

namespace tw::hln {
namespace {

constexpr int kWaitReads = 500;
constexpr int kWaitPauseMs = 100;
// The radio's own time-out is 500 polls 100 ms apart, about 50 s. Each poll's read adds the
// link's character wait, so the clock, not the count, usually ends a wait for a silent radio.
constexpr Millis kWaitLimitMs = 50000;

}  // namespace

HlnLink::HlnLink(SerialLink& serial, Ui& ui, HlnPortOpener opener)
    : serial_(serial), ui_(ui), opener_(std::move(opener)), port_(serial) {
    if (!opener_) opener_ = [](PortSession& port) { return port.openSaved(9600); };
}

bool HlnLink::open() {
    // A handle still open (test mode left on) would otherwise be lost, and the port kept
    // busy, so that no later operation could open it again.
    close();
    return opener_(port_) && isOpen();
}

void HlnLink::close() {
    port_.close();
}

bool HlnLink::readChar() {
    const auto c = port_.readByte();
    if (!c) return false;
    held_ = *c;
    return true;
}

void HlnLink::flush() {
    // A line that keeps chattering must not hold the flush forever; what a radio leaves
    // behind has arrived long before this.
    const Millis until = serial_.clock().now() + kFlushLimitMs;
    while (serial_.clock().now() < until && readChar()) {
    }
}

bool HlnLink::write(const std::uint8_t* data, std::size_t count) {
    return port_.write(data, count);
}

bool HlnLink::writeText(const char* text) {
    return port_.write(std::string_view(text));
}

bool HlnLink::writeChar(std::uint8_t byte) {
    return port_.writeByte(byte);
}

void HlnLink::pause(int ms) {
    port_.pause(ms);
}

void HlnLink::openStatus() {
    serial_.OpenStatus();
    statusOpen_ = true;
}

void HlnLink::setStatus(const std::string& text) {
    serial_.SetStatusText(text);
}

void HlnLink::closeStatus() {
    if (statusOpen_) serial_.CloseStatus();
    statusOpen_ = false;
}

void HlnLink::message(const std::string& text) {
    closeStatus();
    ui_.message(text);
}

bool HlnWaitChar(HlnLink& link) {
    // The read itself returns a waiting character at once, so a steady stream is taken at
    // wire speed; the pause only follows a read that found nothing.
    Clock& clock = link.serial().clock();
    const Millis start = clock.now();
    for (int i = 0; i < kWaitReads; ++i) {
        if (i > 0) link.pause(kWaitPauseMs);
        if (link.readChar()) return true;
        if (clock.now() - start >= kWaitLimitMs) break;
    }
    return false;
}

bool hlnReceive(HlnLink& link, std::uint8_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!HlnWaitChar(link)) {
            link.message(messages::kReadTimeout);
            return false;
        }
        out[i] = link.heldByte();
    }
    return true;
}

bool hlnReceivePrompt(HlnLink& link) {
    if (HlnWaitChar(link)) return true;
    link.message(messages::kReadTimeout);
    return false;
}

}  // namespace tw::hln
