#include "app/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

#include "app/dialog_widgets.h"
#include "app/file_filters.h"
#include "app/status_popup.h"

namespace tw::app {
namespace {

const char* kCaption = "Tunewright";

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

QtUi::~QtUi() {
    delete status_;
    while (busy_ > 0) endBusy();
}

QWidget* QtUi::parentWidget() const {
    if (window_) return window_;
    return QApplication::activeWindow();
}

void QtUi::message(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kCaption, qs(text), QMessageBox::Ok, parentWidget());
    box.exec();
}

bool QtUi::askYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, kCaption, qs(text), QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool QtUi::askOkCancel(const std::string& text) {
    QMessageBox box(QMessageBox::Question, kCaption, qs(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parentWidget());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

SaveAnswer QtUi::askSaveEdits(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, kCaption, qs(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parentWidget());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

std::optional<std::string> QtUi::chooseFile(const FileChoice& choice, bool save) {
    QFileDialog dialog(parentWidget());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.overwritePrompt);
    const QStringList filters = qtNameFilters(qs(choice.filter));
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    QString ext = qs(choice.defaultExtension);
    if (ext.startsWith('.')) ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    if (!choice.initialDirectory.empty()) dialog.setDirectory(qs(choice.initialDirectory));
    if (!choice.initialName.empty()) dialog.selectFile(qs(choice.initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList picked = dialog.selectedFiles();
    if (picked.isEmpty()) return std::nullopt;
    return withDefaultExtension(picked.first(), ext).toStdString();
}

std::optional<std::string> QtUi::chooseOpenFile(const FileChoice& choice) {
    return chooseFile(choice, false);
}

std::optional<std::string> QtUi::chooseSaveFile(const FileChoice& choice) {
    return chooseFile(choice, true);
}

bool QtUi::runDialog(Dialog& dialog) {
    return runDialogWidget(parentWidget(), dialog);
}

void QtUi::openStatus() {
    if (!status_) status_ = new StatusPopup(parentWidget());
    status_->reset();
    status_->setCancelHandler(cancelHeld_ ? nullptr : cancelHandler_);
    status_->setLine(QString());
    status_->adjustSize();
    if (QWidget* over = parentWidget())
        status_->move(over->geometry().center() - status_->rect().center());
    status_->show();
    status_->raise();
}

void QtUi::setStatusText(const std::string& text) {
    if (!status_) openStatus();
    status_->setLine(qs(text));
}

void QtUi::progress(long done, long total) {
    if (status_ && status_->isVisible()) status_->setProgress(done, total);
}

void QtUi::setCancelHandler(std::function<void()> handler) {
    cancelHandler_ = std::move(handler);
    if (status_) status_->setCancelHandler(cancelHeld_ ? nullptr : cancelHandler_);
}

void QtUi::holdCancel(bool held) {
    cancelHeld_ = held;
    if (status_) status_->setCancelHandler(held ? nullptr : cancelHandler_);
    if (holdHandler_) holdHandler_(held);
}

void QtUi::closeStatus() {
    if (status_) status_->hide();
}

void QtUi::beginBusy() {
    ++busy_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUi::endBusy() {
    if (busy_ == 0) return;
    --busy_;
    QApplication::restoreOverrideCursor();
}

void QtUi::beep() {
    QApplication::beep();
}

void QtUi::detail(const std::string& text) {
    if (window_) window_->statusBar()->showMessage(qs(text));
}

}  // namespace tw::app
