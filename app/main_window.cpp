#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "app/dialog_box.h"
#include "app/page_widget.h"
#include "app/session.h"

namespace tw::app {
namespace {

// Lock-key bits of the X11 modifier state (LockMask, Mod2Mask), which is where xcb reports
// Caps Lock and Num Lock; other platforms leave the panes as they are.
constexpr quint32 kX11CapsLock = 0x02;
constexpr quint32 kX11NumLock = 0x10;

}  // namespace

MainWindow::MainWindow(Session& session, bool service, QWidget* parent)
    : QMainWindow(parent), session_(session), service_(service) {
    setWindowTitle("Tunewright");
    createActions();
    createMenus();
    createToolbar();
    createStatusBar();
    createTabs();
    updateCommandStates();
    qApp->installEventFilter(this);
    DialogBox::setPressCarrier([this](std::function<void()> press) {
        session_.threadedUi().runOnWorker(std::move(press));
    });
    // Wide enough for every family's tab label where the screen allows it.
    QSize size = sizeHint().expandedTo(QSize(tabs_->tabBar()->sizeHint().width() + 24, 500));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    focusFirstControl(0);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    DialogBox::setPressCarrier(nullptr);
    session_.shutdown();
}

PageWidget* MainWindow::pageWidget(int tab) const {
    return tab >= 0 && tab < pages_.size() ? pages_[tab] : nullptr;
}

PageWidget* MainWindow::selectedPageWidget() const {
    return pageWidget(session_.view().selectedTab());
}

QAction* MainWindow::addCommand(Command command, const QString& text) {
    auto* a = new QAction(text, this);
    if (auto prompt = commandPrompt(command)) {
        const QString p = QString::fromStdString(*prompt);
        const int br = p.indexOf('\n');
        a->setStatusTip(br < 0 ? p : p.left(br));
        if (br >= 0) a->setToolTip(p.mid(br + 1));
    }
    actions_.insert(command, a);
    return a;
}

void MainWindow::createActions() {
    QStyle* s = style();
    auto radio = [this](Command c, const QString& text, QStyle::StandardPixmap icon) {
        QAction* a = addCommand(c, text);
        a->setIcon(style()->standardIcon(icon));
        connect(a, &QAction::triggered, this, [this, c] { runCommand(c); });
        return a;
    };

    QAction* a = addCommand(Command::Print, "&Print...");
    a->setShortcut(QKeySequence::Print);
    a->setIcon(QIcon::fromTheme("document-print", s->standardIcon(QStyle::SP_FileIcon)));
    connect(a, &QAction::triggered, this, &MainWindow::print);
    a = addCommand(Command::PrintPreview, "Print Pre&view");
    connect(a, &QAction::triggered, this, &MainWindow::printPreview);
    a = addCommand(Command::PrintSetup, "P&rint Setup...");
    connect(a, &QAction::triggered, this, &MainWindow::printSetup);
    a = addCommand(Command::Exit, "E&xit");
    connect(a, &QAction::triggered, this, &QWidget::close);

    radio(Command::GetStatus, "&Get Status", QStyle::SP_MessageBoxQuestion);
    a = addCommand(Command::CommSettings, "&Comm Settings");
    a->setIcon(s->standardIcon(QStyle::SP_ComputerIcon));
    connect(a, &QAction::triggered, this, &MainWindow::showCommSettings);
    radio(Command::ReadTrackingFromRadio, "&Tracking Data from Radio", QStyle::SP_ArrowDown);
    radio(Command::ReadTrackingFromDisk, "Tracking Data from &Disk", QStyle::SP_DialogOpenButton);
    radio(Command::ReadFeaturesFromRadio, "Feature Data from &Radio", QStyle::SP_MediaSeekBackward);
    radio(Command::ReadFeaturesFromDisk, "&Feature Data From Disk", QStyle::SP_DirOpenIcon);
    radio(Command::WriteTrackingToRadio, "&Tracking Data to Radio", QStyle::SP_ArrowUp);
    radio(Command::WriteTrackingToDisk, "Tracking Data to &Disk", QStyle::SP_DialogSaveButton);
    radio(Command::WriteFeaturesToRadio, "Feature Data to &Radio", QStyle::SP_MediaSeekForward);
    radio(Command::WriteFeaturesToDisk, "&Feature Data to Disk", QStyle::SP_DriveFDIcon);
    if (service_) {
        a = radio(Command::TestMode, "Enter &Test Mode", QStyle::SP_MediaPlay);
        a->setCheckable(true);
    }

    a = addCommand(Command::HelpFinder, "&Help Topics");
    a->setShortcut(QKeySequence::HelpContents);
    connect(a, &QAction::triggered, this, &MainWindow::showHelpTopics);
    a = addCommand(Command::About, "&About Tunewright...");
    a->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
    connect(a, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setSeparatorsCollapsible(false);
    file->addSeparator();
    file->addAction(action(Command::Print));
    file->addAction(action(Command::PrintPreview));
    file->addAction(action(Command::PrintSetup));
    file->addSeparator();
    QAction* history = file->addAction("Open &History Folder");
    history->setObjectName("openHistoryFolder");
    history->setStatusTip("Show the folder of dated copies of every read from a radio");
    connect(history, &QAction::triggered, this, &MainWindow::openHistoryFolder);
    QAction* record = file->addAction("Service &Record...");
    record->setObjectName("serviceRecord");
    record->setStatusTip("Show the radio's history copies and what changed from one to the next");
    connect(record, &QAction::triggered, this, &MainWindow::showServiceRecord);
    guarded_.push_back(record);
    file->addSeparator();
    file->addAction(action(Command::Exit));

    QMenu* radio = menuBar()->addMenu("&Radio");
    radio->addAction(action(Command::GetStatus));
    radio->addAction(action(Command::CommSettings));
    QMenu* read = radio->addMenu("&Read");
    for (Command c : {Command::ReadTrackingFromRadio, Command::ReadTrackingFromDisk,
                      Command::ReadFeaturesFromRadio, Command::ReadFeaturesFromDisk})
        read->addAction(action(c));
    QMenu* write = radio->addMenu("&Write");
    for (Command c : {Command::WriteTrackingToRadio, Command::WriteTrackingToDisk,
                      Command::WriteFeaturesToRadio, Command::WriteFeaturesToDisk})
        write->addAction(action(c));
    QAction* compare = radio->addAction("Compare with &File...");
    compare->setObjectName("compareWithFile");
    compare->setStatusTip("Compare the values on the page with a data file, field by field");
    connect(compare, &QAction::triggered, this, &MainWindow::compareWithFile);
    guarded_.push_back(compare);
    if (QAction* test = action(Command::TestMode)) {
        radio->addSeparator();
        radio->addAction(test);
    }

    QMenu* view = menuBar()->addMenu("&View");
    showToolbar_ = view->addAction("&Toolbar");
    showToolbar_->setCheckable(true);
    showToolbar_->setChecked(true);
    showToolbar_->setStatusTip("Show or hide the toolbar");
    showToolbar_->setToolTip("Toggle Toolbar");
    showStatusBar_ = view->addAction("&Status Bar");
    showStatusBar_->setCheckable(true);
    showStatusBar_->setChecked(true);
    showStatusBar_->setStatusTip("Show or hide the status bar");
    showStatusBar_->setToolTip("Toggle Status Bar");
    connect(showStatusBar_, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(action(Command::HelpFinder));
    help->addSeparator();
    help->addAction(action(Command::About));
}

void MainWindow::createToolbar() {
    toolbar_ = addToolBar("Toolbar");
    toolbar_->setObjectName("toolbar");
    toolbar_->setIconSize(QSize(16, 15));
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolbar_->addAction(action(Command::Print));
    toolbar_->addAction(action(Command::About));
    toolbar_->addSeparator();
    toolbar_->addAction(action(Command::GetStatus));
    toolbar_->addAction(action(Command::CommSettings));
    toolbar_->addSeparator();
    for (Command c : {Command::ReadTrackingFromRadio, Command::ReadTrackingFromDisk,
                      Command::ReadFeaturesFromRadio, Command::ReadFeaturesFromDisk})
        toolbar_->addAction(action(c));
    toolbar_->addSeparator();
    for (Command c : {Command::WriteTrackingToRadio, Command::WriteTrackingToDisk,
                      Command::WriteFeaturesToRadio, Command::WriteFeaturesToDisk})
        toolbar_->addAction(action(c));
    connect(showToolbar_, &QAction::toggled, toolbar_, &QToolBar::setVisible);
    connect(toolbar_, &QToolBar::visibilityChanged, showToolbar_, &QAction::setChecked);
}

void MainWindow::createStatusBar() {
    auto pane = [this](const char* text) {
        auto* l = new QLabel(text, this);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance("CAPS") + 12);
        l->setEnabled(false);  // greyed while the lock key is off or its state unknown
        statusBar()->addPermanentWidget(l);
        return l;
    };
    sourcePane_ = new QLabel(this);
    sourcePane_->setObjectName("sourceLine");
    statusBar()->addWidget(sourcePane_, 1);
    capsPane_ = pane("CAPS");
    numPane_ = pane("NUM");
    scrollPane_ = pane("SCRL");
    statusBar()->showMessage("Ready");
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (operating_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        requestCancel();
        return true;
    }
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        QGuiApplication::platformName() == "xcb") {
        const quint32 mods = static_cast<QKeyEvent*>(event)->nativeModifiers();
        capsPane_->setEnabled(mods & kX11CapsLock);
        numPane_->setEnabled(mods & kX11NumLock);
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tw::app
