// Commands of the main window: Radio commands through the main view, printing, Comm
// Settings, About and help.
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QUrl>

#include "app/about_box.h"
#include "app/comm_settings_dialog.h"
#include "app/compare_dialog.h"
#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/report_printer.h"
#include "app/session.h"
#include "families/file_compare.h"
#include "history/read_history.h"

namespace tw::app {
namespace {

// The longest a test or a closing window waits for an operation: a flash of a slow radio.
constexpr qint64 kLongestOperationMs = 10 * 60 * 1000;

}  // namespace

bool MainWindow::runCommand(Command command) {
    MainView& view = session_.view();
    if (operating_ || !view.enabled(command)) return false;
    if (command == Command::ReadTrackingFromDisk || command == Command::ReadFeaturesFromDisk) {
        const DataSet set =
            command == Command::ReadTrackingFromDisk ? DataSet::Tracking : DataSet::Features;
        if (!keepEdits({view.selectedTab()}, set, "loading another file")) return false;
    }
    const bool writes =
        command == Command::WriteTrackingToRadio || command == Command::WriteFeaturesToRadio;
    return startOperation(selectedPageWidget(), writes ? RadioWork::Write : RadioWork::Read,
                          [&view, command] { return view.execute(command); });
}

bool MainWindow::startOperation(PageWidget* page, RadioWork work, std::function<bool()> operation) {
    if (operating_) return false;
    if (page) page->pullFromWidgets();
    // Before each message or question of the operation the window shows the values the
    // page holds at that moment; the worker is waiting for the answer then.
    QPointer<PageWidget> shown(page);
    session_.threadedUi().setBeforeAnswer([shown] {
        if (shown) shown->pushToWidgets();
    });
    // At each status change the page's values of that moment follow the text, copied on the
    // worker that owns them while the operation runs.
    FamilyPage* pageData = page ? &page->page() : nullptr;
    session_.threadedUi().setStatusSnapshot([shown, pageData]() -> std::function<void()> {
        if (!pageData) return {};
        return [shown, values = pageData->controls().all()] {
            if (shown) shown->pushToWidgets(values);
        };
    });
    work_ = work;
    sourceBefore_ = session_.view().selectedPage().source().line();
    setOperating(true);
    QPointer<MainWindow> self(this);
    const bool started =
        session_.startOperation(work, std::move(operation), [self, shown](bool ok) {
            if (self) self->operationEnded(shown, ok);
        });
    if (!started) {
        session_.threadedUi().setBeforeAnswer(nullptr);
        session_.threadedUi().setStatusSnapshot(nullptr);
        setOperating(false);
    }
    return started;
}

void MainWindow::operationEnded(PageWidget* page, bool ok) {
    session_.threadedUi().setBeforeAnswer(nullptr);
    session_.threadedUi().setStatusSnapshot(nullptr);
    if (page) page->pushToWidgets();
    lastResult_ = ok;
    setOperating(false);
    showSource(session_.view().selectedPage().source().line() != sourceBefore_);
    if (page) page->focusFailedField();
    if (closeAfterOperation_) close();
}

void MainWindow::setOperating(bool on) {
    operating_ = on;
    cancelHeld_ = false;
    // Clicks made meanwhile land on disabled controls and are gone, not replayed later.
    tabs_->setEnabled(!on);
    for (QAction* a : actions_) {
        const Command c = actions_.key(a);
        if (c == Command::About || c == Command::HelpFinder || c == Command::Exit) continue;
        a->setEnabled(!on);
    }
    for (QAction* a : guarded_) a->setEnabled(!on);
    if (!on) updateCommandStates();
}

void MainWindow::requestCancel() {
    if (!operating_ || cancelHeld_) return;
    if (work_ != RadioWork::Read) {
        const std::string ask = "Stop the operation now?\n" + cancelConsequence(work_);
        if (!session_.threadedUi().askYesNo(ask)) return;
        if (!operating_) return;  // it ended while the question was open
    }
    session_.cancelOperation();
}

bool MainWindow::waitForOperation() {
    QElapsedTimer waited;
    waited.start();
    // Real time: a simulated radio answers at once, a real one within its own bounds.
    while (operating_ && waited.elapsed() < kLongestOperationMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return lastResult_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!operating_) {
        std::vector<int> tabs;
        for (int t = 0; t < pages_.size(); ++t) tabs.push_back(t);
        if (keepEdits(tabs, DataSet::Both, "closing"))
            event->accept();
        else
            event->ignore();
        return;
    }
    event->ignore();
    if (closeAfterOperation_) return;
    const std::string ask = "A radio operation is in progress. Cancel it and close the window?";
    if (!session_.threadedUi().askYesNo(ask) || !operating_) {
        if (!operating_) close();
        return;
    }
    closeAfterOperation_ = true;
    session_.cancelOperation();
}

void MainWindow::showSource(bool replaceMessage) {
    const QString line = QString::fromStdString(session_.view().selectedPage().source().line());
    sourcePane_->setText(line);
    if (!replaceMessage) return;
    // A message of the moment (a detail, a menu's tip) hides the pane until it is cleared.
    if (line.isEmpty())
        statusBar()->showMessage("Ready");
    else
        statusBar()->clearMessage();
}

bool MainWindow::keepEdits(const std::vector<int>& tabs, DataSet set, const std::string& before) {
    MainView& view = session_.view();
    std::vector<int> edited;
    for (int t : tabs)
        if (view.page(t).unsaved(set)) edited.push_back(t);
    if (edited.empty()) return true;
    std::string names;
    for (std::size_t i = 0; i < edited.size(); ++i) {
        if (i) names += i + 1 == edited.size() ? " and " : ", ";
        names += std::string("\"") + tabInfos()[static_cast<std::size_t>(edited[i])].label + "\"";
    }
    const std::string text = "Values edited on the " + names +
                             (edited.size() > 1 ? " tabs" : " tab") +
                             " have been neither written to a radio nor saved to a file.\n"
                             "Save them before " +
                             before + "?";
    switch (session_.threadedUi().askSaveEdits(text)) {
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
        case SaveAnswer::Save:
            break;
    }
    for (int t : edited) {
        for (DataSet s : {DataSet::Tracking, DataSet::Features}) {
            if ((set != DataSet::Both && s != set) || !view.page(t).unsaved(s)) continue;
            const Command save = s == DataSet::Tracking ? Command::WriteTrackingToDisk
                                                        : Command::WriteFeaturesToDisk;
            if (!startOperation(pageWidget(t), RadioWork::Read,
                                [&view, save, t] { return view.execute(save, t); }))
                return false;
            waitForOperation();
            // A save that was cancelled or refused keeps the edits, and the window with them.
            if (view.page(t).unsaved(s)) return false;
        }
    }
    return true;
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
    PageWidget* page = selectedPageWidget();
    if (page) page->pullFromWidgets();
    lines = session_.view().reportLines();
    if (page) page->pushToWidgets();
    return lines;
}

bool MainWindow::compareWithFile() {
    if (operating_) return false;
    MainView& view = session_.view();
    const int tab = view.selectedTab();
    FamilyPage& page = view.selectedPage();
    Ui& ui = session_.threadedUi();
    const auto files = page.dataFiles();
    if (files.empty()) {
        ui.message("The values of this tab cannot be compared with a file.");
        return false;
    }
    FileChoice choice;
    for (const auto& f : files) {
        const std::string ext = f.extension;
        choice.filter +=
            std::string(f.set == DataSet::Features ? "Feature Data" : "Tracking Data") + "|*." +
            ext + "|";
    }
    choice.filter += "All Files|*.*||";
    choice.defaultExtension = files.front().extension;
    choice.initialDirectory =
        session_.profile().getString(profile_keys::kDirectorySection, profile_keys::kTrack, "");
    const auto path = ui.chooseOpenFile(choice);
    if (!path) return false;
    const auto set = page.dataOfFile(*path);
    std::string problem;
    const auto file = set ? loadFileValues(session_.env(), tab, *path, problem) : std::nullopt;
    if (!file) {
        ui.message(set ? problem : *path + " is no data file of this tab.");
        return false;
    }
    if (PageWidget* shown = selectedPageWidget()) shown->pullFromWidgets();
    auto* dialog = new CompareDialog(page.comparedValues(file->set), file->values,
                                     QFileInfo(QString::fromStdString(*path)).fileName(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}

bool MainWindow::showServiceRecord() {
    if (operating_) return false;
    MainView& view = session_.view();
    const ValueSource& source = view.selectedPage().source();
    const bool fromRadio =
        source.kind() == ValueSource::Kind::Read || source.kind() == ValueSource::Kind::Written;
    const std::string radio = fromRadio ? source.what() : "*";
    const auto records = historyChanges(session_.env(), view.selectedTab(), radio);
    if (!records) return false;
    const QString title = QString::fromStdString("Service Record: " +
                                                 (fromRadio ? radio : std::string("every radio")));
    QDialog* dialog = createLinesDialog(title, historyChangesLines(*records), this);
    dialog->setObjectName("serviceRecord");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
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
