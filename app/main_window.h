#pragma once

#include <QMainWindow>
#include <QMap>
#include <QVector>
#include <memory>
#include <string>
#include <vector>

#include "view/commands.h"

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

    // Carries out a Radio command (or the test-mode toggle) on the selected tab.
    bool runCommand(Command command);
    // The report of the selected tab, taken from what its widgets show now.
    std::vector<std::string> collectReport();

  protected:
    bool focusNextPrevChild(bool next) override;
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
    QAction* showToolbar_ = nullptr;
    QAction* showStatusBar_ = nullptr;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace tw::app
