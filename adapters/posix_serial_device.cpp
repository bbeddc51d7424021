#include "adapters/posix_serial_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "adapters/serial_failure.h"

namespace tw {
namespace {

speed_t speedOf(int baud) {
    switch (baud) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B0;
    }
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class PosixSerialDevice : public Device {
  public:
    PosixSerialDevice(int fd, bool pty) : fd_(fd), pty_(pty) {}
    ~PosixSerialDevice() override { ::close(fd_); }
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool write(const std::uint8_t* data, std::size_t count) override {
        // Generous bound: the bytes' wire time at the slowest rate in use (1200 baud) plus a
        // second, so a stuck line cannot hang the caller.
        const int bound = 1000 + static_cast<int>(count) * 10;
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::write(fd_, data + done, count - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, bound) <= 0) return false;
        }
        return true;
    }

    std::size_t read(std::uint8_t* buffer, std::size_t max, Millis waitMs) override {
        ssize_t n = ::read(fd_, buffer, max);
        if (n > 0) return static_cast<std::size_t>(n);
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(waitMs)) <= 0 || !(p.revents & POLLIN)) return 0;
        n = ::read(fd_, buffer, max);
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }

    // The break still takes its time on a pseudo-terminal, so timing matches a cable.
    bool sendBreak(int durationMs) override {
        if (pty_) {
            sleepMs(durationMs);
            return true;
        }
        if (::ioctl(fd_, TIOCSBRK) != 0) return false;
        sleepMs(durationMs);
        return ::ioctl(fd_, TIOCCBRK) == 0;
    }

    bool setDtr(bool on) override { return pty_ || modemLine(TIOCM_DTR, on); }
    bool setRts(bool on) override { return pty_ || modemLine(TIOCM_RTS, on); }

  private:
    bool modemLine(int line, bool on) { return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) == 0; }

    int fd_;
    bool pty_;
};

std::string openFailure(const std::string& path, int error) {
    std::string problem = deviceAccessProblem(path);
    if (!problem.empty()) return problem;
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return kNoSuchDevice;
        case EBUSY:
        case EWOULDBLOCK:
            return kDeviceBusy;
        default:
            return "the device could not be opened (" + std::string(std::strerror(error)) + ")";
    }
}

}  // namespace

OpenResult PosixSerialDeviceFactory::open(const std::string& path, int baud) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return OpenError{openFailure(path, errno)};
    auto fail = [&](int error) {
        ::close(fd);
        return OpenError{openFailure(path, error)};
    };
    // One program at a time: another holding the port would steal the radio's answers.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno);
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        ::close(fd);
        return OpenError{"not a serial port"};
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    const speed_t speed = speedOf(baud);
    if (speed == B0) {
        ::close(fd);
        return OpenError{"the device could not be opened (unsupported speed " +
                         std::to_string(baud) + " baud)"};
    }
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) return fail(errno);
    // Whatever waits in the input was meant for an earlier session (a pseudo-terminal keeps
    // it across opens); no answer to this session's first command may be mistaken for it.
    ::tcflush(fd, TCIFLUSH);
    return std::unique_ptr<Device>(new PosixSerialDevice(fd, isPseudoTerminal(path)));
}

}  // namespace tw
