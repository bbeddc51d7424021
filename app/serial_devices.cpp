#include "app/serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

namespace tw::app {
namespace {

// /dev/serial/by-id names survive re-plugging and re-ordering of USB cables, unlike ttyUSBn.
QHash<QString, QString> stableNames() {
    QHash<QString, QString> byTarget;
    const QDir dir("/dev/serial/by-id");
    for (const QFileInfo& link :
         dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        byTarget.insert(link.canonicalFilePath(), link.absoluteFilePath());
    return byTarget;
}

}  // namespace

QVector<SerialDeviceInfo> scanSerialDevices() {
    const auto names = stableNames();
    QVector<SerialDeviceInfo> out;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts()) {
        SerialDeviceInfo d;
        d.path = p.systemLocation();
        d.stableName = names.value(QFileInfo(d.path).canonicalFilePath());
        d.description = p.description();
        d.hasUsbIds = p.hasVendorIdentifier() && p.hasProductIdentifier();
        d.vendorId = p.vendorIdentifier();
        d.productId = p.productIdentifier();
        d.serialNumber = p.serialNumber();
        out.push_back(d);
    }
    return out;
}

QString describeSerialDevice(const SerialDeviceInfo& d) {
    QString s = d.stableName.isEmpty()
                    ? d.path
                    : QString("%1 (%2)").arg(d.stableName, QFileInfo(d.path).fileName());
    if (d.hasUsbIds)
        s += QString("  USB %1:%2")
                 .arg(d.vendorId, 4, 16, QChar('0'))
                 .arg(d.productId, 4, 16, QChar('0'));
    if (!d.serialNumber.isEmpty()) s += "  serial " + d.serialNumber;
    if (!d.description.isEmpty()) s += "  " + d.description;
    return s;
}

}  // namespace tw::app
