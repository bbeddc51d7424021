#include "adapters/qserial_device.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QSerialPort>
#include <QThread>

namespace tw {
namespace {

class QSerialDevice : public Device {
public:
    QSerialDevice(std::unique_ptr<QSerialPort> port, bool pty) : port_(std::move(port)), pty_(pty) {}

    bool write(const std::uint8_t* data, std::size_t count) override {
        const auto n = port_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(count));
        if (n != static_cast<qint64>(count)) return false;
        // Generous bound: the bytes' wire time at the slowest rate in use (1200 baud) plus a
        // second, so a stuck line cannot hang the caller.
        const int bound = 1000 + static_cast<int>(count) * 10;
        while (port_->bytesToWrite() > 0)
            if (!port_->waitForBytesWritten(bound)) return false;
        return true;
    }

    std::size_t read(std::uint8_t* buffer, std::size_t max, Millis waitMs) override {
        if (port_->bytesAvailable() == 0 && !port_->waitForReadyRead(static_cast<int>(waitMs)))
            return 0;
        const auto n = port_->read(reinterpret_cast<char*>(buffer), static_cast<qint64>(max));
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }

    bool sendBreak(int durationMs) override {
        if (!port_->setBreakEnabled(true)) return pty_;
        QThread::msleep(static_cast<unsigned long>(durationMs));
        return port_->setBreakEnabled(false);
    }

    bool setDtr(bool on) override { return port_->setDataTerminalReady(on) || pty_; }
    bool setRts(bool on) override { return port_->setRequestToSend(on) || pty_; }

private:
    std::unique_ptr<QSerialPort> port_;
    bool pty_;
};

std::string openFailure(const std::string& path, QSerialPort::SerialPortError error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || error == QSerialPort::DeviceNotFoundError)
        return "no such device; is the programming cable plugged in?";
    if (::access(path.c_str(), R_OK | W_OK) != 0)
        return "no permission to use the device; add your user to the dialout group "
               "(sudo usermod -aG dialout $USER) and log in again";
    if (error == QSerialPort::PermissionError)
        return "the device is busy; another program is using it";
    return "the device could not be opened";
}

}  // namespace

bool isPseudoTerminal(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    const unsigned maj = major(st.st_rdev);
    return maj >= 136 && maj <= 143;  // Unix 98 pseudo-terminal slaves
}

OpenResult QSerialDeviceFactory::open(const std::string& path, int baud) {
    auto port = std::make_unique<QSerialPort>(QString::fromStdString(path));
    port->setBaudRate(baud);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) return OpenError{openFailure(path, port->error())};
    return std::unique_ptr<Device>(new QSerialDevice(std::move(port), isPseudoTerminal(path)));
}

}  // namespace tw
