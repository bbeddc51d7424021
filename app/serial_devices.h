#pragma once

#include <QString>
#include <QVector>

namespace tw::app {

// A serial device present on this machine, as a technician would pick out a programming cable.
struct SerialDeviceInfo {
    QString path;        // /dev/ttyUSB0
    QString stableName;  // /dev/serial/by-id/... when the system offers one, else empty
    QString description;
    bool hasUsbIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString serialNumber;
};

// Every serial device the system reports, with its stable by-id name where one links to it.
QVector<SerialDeviceInfo> scanSerialDevices();

// One line for a list: "/dev/serial/by-id/usb-X (ttyUSB0)  USB 0403:6001  serial A1B2".
QString describeSerialDevice(const SerialDeviceInfo& d);

}  // namespace tw::app
