#include "app/about_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace tw::app {

QString aboutText() {
    return QString("Product Version = ") + kProductVersion + " : File Version = " + kFileVersion;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), text_(new QLabel(this)) {
    setWindowTitle("About Tunewright");
    text_->setObjectName("2015");
    text_->setText(aboutText());
    auto* icon = new QLabel(this);
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32, 32));
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString AboutBox::text() const {
    return text_->text();
}

}  // namespace tw::app
