#include "link/port_session.h"

#include <utility>

namespace tw {

bool PortSession::open(int port, int baud) {
    close();
    handle_ = link_.slkOpen(port, baud);
    return isOpen();
}

bool PortSession::openSaved(int baud) {
    close();
    handle_ = link_.slkInit(1, baud);
    return isOpen();
}

void PortSession::adopt(SlkHandle handle) {
    if (handle == handle_) return;
    close();
    handle_ = handle;
}

bool PortSession::close() {
    if (handle_ == kNoLink) return false;
    const bool closed = link_.slkClose(handle_) != 0;
    handle_ = kNoLink;
    return closed;
}

bool PortSession::write(std::string_view bytes) {
    return isOpen() && link_.slkWriteBuffer(handle_, bytes.data(), bytes.size()) != 0;
}

bool PortSession::write(const std::uint8_t* data, std::size_t count) {
    return write(std::string_view(reinterpret_cast<const char*>(data), count));
}

bool PortSession::writeByte(std::uint8_t byte) {
    return isOpen() && link_.slkWriteChar(handle_, static_cast<char>(byte)) != 0;
}

std::optional<std::uint8_t> PortSession::readByte() {
    int byte = 0;
    if (!isOpen() || !link_.slkReadChar(handle_, byte)) return std::nullopt;
    return static_cast<std::uint8_t>(byte & 0xFF);
}

std::optional<std::string> PortSession::readUpTo(
    std::size_t count, int wait, const std::function<void(unsigned long)>& arrived) {
    if (!isOpen()) return std::nullopt;
    std::string out(count, '\0');
    unsigned long received = 0;
    const int ok = arrived
                       ? link_.slkReadBuffer(handle_, out.data(), count, &received, wait, arrived)
                       : link_.slkReadBuffer(handle_, out.data(), count, &received, wait);
    if (!ok) return std::nullopt;
    out.resize(received);
    return out;
}

std::optional<std::string> PortSession::readExact(std::size_t count, int wait) {
    auto got = readUpTo(count, wait);
    if (!got || got->size() != count) return std::nullopt;
    return got;
}

std::vector<std::uint8_t> PortSession::poll(std::size_t count, Millis firstByteMs) {
    if (!isOpen()) return {};
    return link_.slkReadPoll(handle_, count, firstByteMs).bytes;
}

bool PortSession::sendBreak(int durationMs) {
    return isOpen() && link_.slkBreak(handle_, durationMs) != 0;
}

bool PortSession::setDtr(bool on) {
    return isOpen() && link_.slkSetDTR(handle_, on ? 1 : 0) != 0;
}

bool PortSession::setRts(bool on) {
    return isOpen() && link_.slkSetRTS(handle_, on ? 1 : 0) != 0;
}

void PortSession::pause(int milliseconds) {
    link_.slkSleep(handle_, milliseconds);
}

void PortSession::setFinishing(std::string bytes) {
    if (isOpen()) link_.setFinishing(handle_, std::move(bytes));
}

void PortSession::clearFinishing() {
    link_.clearFinishing(handle_);
}

}  // namespace tw
