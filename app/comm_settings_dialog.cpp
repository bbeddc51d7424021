#include "app/comm_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "view/comm_settings.h"

namespace tw::app {

QString portDeviceText(const PortMap& ports, int port) {
    const QString path = QString::fromStdString(ports.devicePath(port));
    if (path.isEmpty()) return "no device";
    if (path == "simulated") return "simulated radio";
    return QString("%1 (%2)").arg(path, QFileInfo::exists(path) ? "present" : "not present");
}

CommSettingsDialog::CommSettingsDialog(AppState& app, const PortMap& ports,
                                       QVector<SerialDeviceInfo> found, QWidget* parent)
    : QDialog(parent),
      app_(app),
      map_(ports),
      ports_(new QComboBox(this)),
      mapped_(new QLabel(this)) {
    using namespace comm_settings;
    setWindowTitle(kCaption);
    ports_->setObjectName(QString::number(kPortListId));
    for (int i = 0; i < kEntryCount; ++i) {
        ports_->addItem(QString::fromStdString(entryText(i)));
        ports_->setItemData(i, portDeviceText(map_, i + 1), Qt::ToolTipRole);
    }
    ports_->setCurrentIndex(initialEntry(app_.currentPort));

    auto* form = new QFormLayout;
    auto* label = new QLabel(kLabel, this);
    label->setBuddy(ports_);
    form->addRow(label, ports_);
    mapped_->setObjectName("mappedDevice");
    mapped_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(new QLabel("Device:", this), mapped_);

    auto* present = new QGroupBox("Serial devices found", this);
    auto* presentLayout = new QVBoxLayout(present);
    if (found.isEmpty()) presentLayout->addWidget(new QLabel("None", present));
    for (const auto& d : found) {
        auto* line = new QLabel(describeSerialDevice(d), present);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        presentLayout->addWidget(line);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ports_, &QComboBox::currentIndexChanged, this, [this] { showMapping(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(present);
    layout->addWidget(buttons);
    showMapping();
}

QString CommSettingsDialog::mappedDeviceText() const {
    return mapped_->text();
}

void CommSettingsDialog::showMapping() {
    const int entry = ports_->currentIndex();
    mapped_->setText(entry < 0 ? QString() : portDeviceText(map_, entry + 1));
}

void CommSettingsDialog::accept() {
    app_.currentPort = comm_settings::portAfterOk(ports_->currentIndex(), app_.currentPort);
    QDialog::accept();
}

}  // namespace tw::app
