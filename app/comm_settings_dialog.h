#pragma once

#include <QDialog>
#include <QVector>

#include "app/serial_devices.h"
#include "link/port_map.h"
#include "view/env.h"

class QComboBox;
class QLabel;

namespace tw::app {

// Comm Settings: picks the port the next radio operation uses. It changes only the
// application's current port and writes nothing to the profile; alongside the list it shows
// which device each port reaches and the serial devices present, so the programming cable
// can be told apart from other adapters.
class CommSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    CommSettingsDialog(AppState& app, const PortMap& ports, QVector<SerialDeviceInfo> found,
                       QWidget* parent);

    QComboBox* portList() const { return ports_; }
    // "/dev/ttyUSB0 (present)" for the selected entry.
    QString mappedDeviceText() const;

    void accept() override;

  private:
    void showMapping();

    AppState& app_;
    const PortMap& map_;
    QComboBox* ports_;
    QLabel* mapped_;
};

// Where a port leads and whether that device is there now.
QString portDeviceText(const PortMap& ports, int port);

}  // namespace tw::app
