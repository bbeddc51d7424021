#include "app/status_popup.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/status_progress.h"

namespace tw::app {
namespace {

// An estimate from the first few percent or seconds swings wildly; it is shown from then on.
constexpr double kEstimateFromFraction = 0.03;
constexpr qint64 kEstimateFromMs = 3000;
// The bar counts in these steps whatever the operation's units, so a 64,000-byte read and
// an 862-block flash look the same.
constexpr int kBarSteps = 1000;

}  // namespace

QString formatDuration(qint64 ms) {
    const qint64 s = ms / 1000;
    if (s >= 3600)
        return QString("%1:%2:%3")
            .arg(s / 3600)
            .arg((s / 60) % 60, 2, 10, QChar('0'))
            .arg(s % 60, 2, 10, QChar('0'));
    return QString("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar('0'));
}

StatusPopup::StatusPopup(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      timing_(new QLabel(this)),
      cancel_(new QPushButton("Cancel", this)) {
    setObjectName("statusWindow");
    setWindowTitle("Tunewright");
    auto* layout = new QVBoxLayout(this);
    text_->setMinimumWidth(280);
    bar_->setObjectName("statusProgress");
    bar_->setRange(0, 100);
    bar_->hide();
    timing_->setObjectName("statusTiming");
    cancel_->setObjectName("statusCancel");
    cancel_->hide();
    layout->addWidget(text_);
    layout->addWidget(bar_);
    auto* row = new QHBoxLayout;
    row->addWidget(timing_, 1);
    row->addWidget(cancel_);
    layout->addLayout(row);
    connect(cancel_, &QPushButton::clicked, this, &StatusPopup::requestCancel);
}

void StatusPopup::setLine(const QString& text) {
    text_->setText(text);
    if (progressKnown_) return;  // the operation's own count outranks a percentage in text
    if (auto p = statusPercent(text.toStdString())) {
        bar_->setRange(0, 100);
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
    if (bar_->isHidden() || bar_->maximum() <= 0) return -1;
    return static_cast<int>(qint64{bar_->value()} * 100 / bar_->maximum());
}

void StatusPopup::setProgress(long done, long total) {
    if (total <= 0) return;
    // Each stage of an operation (an erase, then the blocks) starts its own count at 0.
    if (!progressKnown_ || !started_.isValid() || done == 0) started_.start();
    progressKnown_ = true;
    const double fraction = std::min(1.0, std::max(0.0, double(done) / double(total)));
    bar_->setRange(0, kBarSteps);
    bar_->setValue(static_cast<int>(fraction * kBarSteps));
    bar_->show();
    const qint64 elapsed = started_.elapsed();
    QString text = "Elapsed " + formatDuration(elapsed);
    if (fraction >= kEstimateFromFraction && elapsed >= kEstimateFromMs && fraction < 1.0) {
        const auto left = static_cast<qint64>(double(elapsed) * (1.0 - fraction) / fraction);
        text += ", about " + formatDuration(left) + " left";
    }
    timing_->setText(text);
}

QString StatusPopup::timing() const {
    return timing_->text();
}

void StatusPopup::setCancelHandler(std::function<void()> handler) {
    onCancel_ = std::move(handler);
    cancel_->setVisible(static_cast<bool>(onCancel_));
    cancel_->setEnabled(true);
}

void StatusPopup::reset() {
    progressKnown_ = false;
    started_.invalidate();
    timing_->clear();
    bar_->hide();
}

void StatusPopup::requestCancel() {
    if (onCancel_) onCancel_();
}

void StatusPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        requestCancel();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StatusPopup::closeEvent(QCloseEvent* event) {
    // The window belongs to the operation: closing it asks the operation to stop instead.
    event->ignore();
    requestCancel();
}

}  // namespace tw::app
