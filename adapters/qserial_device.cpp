#include "adapters/qserial_device.h"

#include "adapters/serial_failure.h"

#include <QSerialPort>
#include <QThread>

namespace tw {
namespace {

class QSerialDevice : public Device {
  public:
    QSerialDevice(std::unique_ptr<QSerialPort> port, bool pty)
        : port_(std::move(port)), pty_(pty) {}

    bool write(const std::uint8_t* data, std::size_t count) override {
        const auto n =
            port_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(count));
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

    // A pseudo-terminal has no break and no modem lines; the calls would only leave an error
    // behind on the port. The break still takes its time, so timing matches a cable.
    bool sendBreak(int durationMs) override {
        if (pty_) {
            QThread::msleep(static_cast<unsigned long>(durationMs));
            return true;
        }
        if (!port_->setBreakEnabled(true)) return false;
        QThread::msleep(static_cast<unsigned long>(durationMs));
        return port_->setBreakEnabled(false);
    }

    bool setDtr(bool on) override { return pty_ || port_->setDataTerminalReady(on); }
    bool setRts(bool on) override { return pty_ || port_->setRequestToSend(on); }

  private:
    std::unique_ptr<QSerialPort> port_;
    bool pty_;
};

std::string openFailure(const std::string& path, const QSerialPort& port) {
    std::string problem = deviceAccessProblem(path);
    if (!problem.empty()) return problem;
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return kNoSuchDevice;
        case QSerialPort::PermissionError:
            return kDeviceBusy;
        default:
            return "the device could not be opened (" + port.errorString().toStdString() + ")";
    }
}

}  // namespace

OpenResult QSerialDeviceFactory::open(const std::string& path, int baud) {
    auto port = std::make_unique<QSerialPort>(QString::fromStdString(path));
    port->setBaudRate(baud);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) return OpenError{openFailure(path, *port)};
    // Whatever waits in the input was meant for an earlier session (a pseudo-terminal keeps
    // it across opens); no answer to this session's first command may be mistaken for it.
    port->clear(QSerialPort::Input);
    return std::unique_ptr<Device>(new QSerialDevice(std::move(port), isPseudoTerminal(path)));
}

}  // namespace tw
