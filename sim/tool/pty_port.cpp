#include "sim/tool/pty_port.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tw::sim {

namespace {

bool makeRaw(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

PtyPort::~PtyPort() {
    if (watch_ >= 0) ::close(watch_);
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool PtyPort::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = systemError("grantpt/unlockpt");
        return false;
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = systemError("ptsname");
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = systemError(name);
        return false;
    }
    if (!makeRaw(slave_) || !makeRaw(master_)) {
        error = systemError("raw mode");
        return false;
    }
    // Our own open above happened before the watch, so every event counts a client.
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ >= 0 &&
        ::inotify_add_watch(watch_, name, IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        ::close(watch_);
        watch_ = -1;
    }
    return true;
}

std::vector<int> PtyPort::drainWatch() {
    std::vector<int> events;
    if (watch_ < 0) return events;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(watch_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t off = 0; off < n;) {
            const auto* ev = reinterpret_cast<const inotify_event*>(buffer + off);
            if (ev->mask & IN_OPEN) events.push_back(+1);
            if (ev->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) events.push_back(-1);
            off += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
        }
    }
    return events;
}

void PtyPort::flushToPc() {
    ::tcflush(slave_, TCIFLUSH);
}

void PtyPort::restoreLine() {
    ::ioctl(slave_, TIOCNXCL);
    makeRaw(slave_);
}

}  // namespace tw::sim
