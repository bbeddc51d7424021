#include "app/status_popup.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/status_progress.h"

namespace tw::app {

StatusPopup::StatusPopup(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    setObjectName("statusWindow");
    setWindowTitle("Tunewright");
    auto* layout = new QVBoxLayout(this);
    text_->setMinimumWidth(280);
    bar_->setRange(0, 100);
    bar_->hide();
    layout->addWidget(text_);
    layout->addWidget(bar_);
}

void StatusPopup::setLine(const QString& text) {
    text_->setText(text);
    if (auto p = statusPercent(text.toStdString())) {
        bar_->setValue(*p);
        bar_->show();
    } else {
        bar_->hide();
    }
}

QString StatusPopup::line() const {
    return text_->text();
}

int StatusPopup::percent() const {
    return bar_->isHidden() ? -1 : bar_->value();
}

}  // namespace tw::app
