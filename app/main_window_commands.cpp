// Commands of the main window: Radio commands through the main view, printing, Comm
// Settings, About and help.
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>

#include "app/about_box.h"
#include "app/comm_settings_dialog.h"
#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/report_printer.h"
#include "app/session.h"
#include "history/read_history.h"

namespace tw::app {

bool MainWindow::runCommand(Command command) {
    MainView& view = session_.view();
    if (!view.enabled(command)) return false;
    bool ok = false;
    if (PageWidget* page = selectedPageWidget())
        ok = page->exchange([&] { return view.execute(command); });
    else
        ok = view.execute(command);
    updateCommandStates();
    return ok;
}

void MainWindow::updateCommandStates() {
    static const Command kRouted[] = {Command::GetStatus,
                                      Command::ReadTrackingFromRadio,
                                      Command::ReadTrackingFromDisk,
                                      Command::ReadFeaturesFromRadio,
                                      Command::ReadFeaturesFromDisk,
                                      Command::WriteTrackingToRadio,
                                      Command::WriteTrackingToDisk,
                                      Command::WriteFeaturesToRadio,
                                      Command::WriteFeaturesToDisk,
                                      Command::TestMode};
    const MainView& view = session_.view();
    for (Command c : kRouted) {
        QAction* a = action(c);
        if (!a) continue;
        a->setEnabled(view.enabled(c));
        if (a->isCheckable()) a->setChecked(view.checked(c));
    }
}

std::vector<std::string> MainWindow::collectReport() {
    std::vector<std::string> lines;
    auto build = [&] {
        lines = session_.view().reportLines();
        return true;
    };
    if (PageWidget* page = selectedPageWidget())
        page->exchange(build);
    else
        build();
    return lines;
}

QPrinter& MainWindow::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void MainWindow::print() {
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    printReport(printer(), collectReport());
}

void MainWindow::printPreview() {
    QPrintPreviewDialog dialog(&printer(), this);
    // Every repaint of the preview is a new job, built from what the page shows now.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { printReport(*p, collectReport()); });
    dialog.exec();
}

void MainWindow::printSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void MainWindow::showCommSettings() {
    CommSettingsDialog dialog(session_.app(), session_.link().ports(), scanSerialDevices(), this);
    dialog.exec();
}

void MainWindow::showAbout() {
    AboutBox box(this);
    box.exec();
}

void MainWindow::openHistoryFolder() {
    const QString folder = QString::fromStdString(historyFolder(session_.app()));
    // The folder exists from the first read on; before that it is made, so there is
    // something to open.
    if (!QDir().mkpath(folder) || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        session_.env().ui.detail("Could not open the history folder " + folder.toStdString());
}

void MainWindow::showHelpTopics() {
    QString text = "Radio commands act on the radio family of the selected tab.\n\n";
    for (QAction* a : actions_) {
        if (a->statusTip().isEmpty()) continue;
        text += QString("%1: %2\n").arg(a->text().remove('&'), a->statusTip());
    }
    QMessageBox::information(this, "Help Topics", text);
}

}  // namespace tw::app
