#pragma once

#include <QMainWindow>
#include <QMap>
#include <QVector>
#include <memory>
#include <string>
#include <vector>

#include "run/radio_operation.h"
#include "view/commands.h"
#include "view/family_page.h"

class QLabel;
class QPrinter;
class QTabWidget;
class QToolBar;

namespace tw::app {

class PageWidget;
class Session;

// The main frame and its view: menus, toolbar and status bar around a tab widget with one
// page per radio family. Radio commands go through the core main view to the page of the
// selected tab, with the page's widgets exchanged with the page before and after.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `service` adds the Enter Test Mode command to the Radio menu.
    MainWindow(Session& session, bool service, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* tabs() const { return tabs_; }
    PageWidget* pageWidget(int tab) const;
    PageWidget* selectedPageWidget() const;
    // nullptr for a command the window does not offer.
    QAction* action(Command command) const { return actions_.value(command, nullptr); }
    QToolBar* toolbar() const { return toolbar_; }

    // Starts a Radio command (or the test-mode toggle) on the selected tab; it runs on the
    // radio worker. False when it did not start.
    bool runCommand(Command command);

    // Starts radio work for `page` (or none) on the worker: the page's widgets go into the
    // page first and come back when it ends; meanwhile every control that would start other
    // radio work is disabled. False while another operation runs.
    bool startOperation(PageWidget* page, RadioWork work, std::function<bool()> operation);
    bool operating() const { return operating_; }
    // The status window's Cancel, Escape: stops the operation at its next command boundary
    // (a write asks first).
    void requestCancel();
    // While held the operation is at a step that must not be disrupted: Cancel and Escape do
    // nothing until it is offered again.
    void setCancelHeld(bool held) { cancelHeld_ = held; }
    // Lets the event loop run until the operation in progress has ended and the window has
    // taken its result; returns that result. For tests and for closing.
    bool waitForOperation();
    // The report of the selected tab, taken from what its widgets show now.
    std::vector<std::string> collectReport();
    // Radio > Compare with File...: the selected page's values (as its widgets show them now)
    // against a data file of the family, in a window of its own. False when nothing is shown.
    bool compareWithFile();
    // File > Service Record: the history copies of the radio on the bench (or of every radio
    // of the family when the page has read none) and what changed from one to the next.
    bool showServiceRecord();

  protected:
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void createTabs();
    QAction* addCommand(Command command, const QString& text);

    void onCurrentChanged(int index);
    void showSelectedPage(int previous);
    void focusFirstControl(int tab);
    void updateCommandStates();
    void setOperating(bool on);
    void operationEnded(PageWidget* page, bool ok);
    // The status bar's message pane tells where the selected page's values came from.
    void showSource(bool replaceMessage);
    // Before values the technician edited on `tabs` are lost: true when they were saved or
    // may go, false to stop. `before` ends the question ("closing").
    bool keepEdits(const std::vector<int>& tabs, DataSet set, const std::string& before);

    void print();
    void printPreview();
    void printSetup();
    void showCommSettings();
    void showAbout();
    void showHelpTopics();
    void openHistoryFolder();
    QPrinter& printer();

    Session& session_;
    bool service_;
    QTabWidget* tabs_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QVector<PageWidget*> pages_;
    QMap<Command, QAction*> actions_;
    // Actions of the window's own that are off while radio work runs.
    QVector<QAction*> guarded_;
    QAction* showToolbar_ = nullptr;
    QAction* showStatusBar_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    QLabel* sourcePane_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool operating_ = false;
    bool cancelHeld_ = false;
    bool lastResult_ = false;
    bool closeAfterOperation_ = false;
    RadioWork work_ = RadioWork::Read;
    std::string sourceBefore_;
};

}  // namespace tw::app
