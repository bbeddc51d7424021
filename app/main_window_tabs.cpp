// The tab strip of the main window: pages, the test-mode lock, focus on tab change and the
// Tab-key rules that move between the strip and the page's controls.
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "view/tab_keys.h"

namespace tw::app {
namespace {

// The page's controls that Tab stops at, in focus-chain order.
QList<QWidget*> tabStops(QWidget* page) {
    QList<QWidget*> out;
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w) || out.contains(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page))
            out.push_back(w);
    }
    return out;
}

// The entry of `stops` that holds the focus (the focus may sit inside a compound control).
int stopHolding(const QList<QWidget*>& stops, QWidget* focus) {
    for (int i = 0; i < stops.size(); ++i)
        if (stops[i] == focus || stops[i]->isAncestorOf(focus)) return i;
    return -1;
}

}  // namespace

void MainWindow::createTabs() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("1000");
    MainView& view = session_.view();
    const auto& infos = tabInfos();
    for (int t = 0; t < static_cast<int>(infos.size()); ++t) {
        PageWidget* page = createPageWidget(t, view.page(t), tabs_);
        if (page->firstControl() == 0)
            page->setFirstControl(infos[static_cast<std::size_t>(t)].firstControl);
        page->pushToWidgets();
        page->watchEdits();
        connect(page, &PageWidget::edited, this, [this] { showSource(true); });
        page->setEnabled(t == view.selectedTab());
        page->setStarter([this](PageWidget* p, RadioWork work, std::function<bool()> op) {
            return startOperation(p, work, std::move(op));
        });
        pages_.push_back(page);
        tabs_->addTab(page, QString::fromUtf8(infos[static_cast<std::size_t>(t)].label));
    }
    tabs_->setCurrentIndex(view.selectedTab());
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::onCurrentChanged);
    setCentralWidget(tabs_);
}

void MainWindow::onCurrentChanged(int index) {
    MainView& view = session_.view();
    const int held = view.selectedTab();
    if (index == held) return;
    // Put the strip back before anything can paint, then let the view decide: while test mode
    // is on it beeps, says why and keeps its tab.
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(held);
    }
    if (!view.selectTab(index)) return;
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(index);
    }
    showSelectedPage(held);
}

void MainWindow::showSelectedPage(int previous) {
    if (PageWidget* old = pageWidget(previous)) old->setEnabled(false);
    const int tab = session_.view().selectedTab();
    if (PageWidget* now = pageWidget(tab)) now->setEnabled(true);
    session_.tabSelected(tab);
    updateCommandStates();
    showSource(true);
    focusFirstControl(tab);
}

void MainWindow::focusFirstControl(int tab) {
    PageWidget* page = pageWidget(tab);
    if (!page || page->firstControl() == 0) return;
    if (QWidget* first = page->control(page->firstControl())) first->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::focusNextPrevChild(bool next) {
    const int tab = session_.view().selectedTab();
    PageWidget* page = pageWidget(tab);
    QTabBar* strip = tabs_->tabBar();
    QWidget* focus = focusWidget();
    const bool onStrip = focus == strip;
    if (!page || !focus || (!onStrip && !page->isAncestorOf(focus)))
        return QMainWindow::focusNextPrevChild(next);

    const QList<QWidget*> stops = tabStops(page);
    QWidget* first = page->firstControl() ? page->control(page->firstControl()) : nullptr;
    // Tab 6 moves among its own controls; tab 5 names no first control and starts at its
    // first tab stop.
    const int target =
        tabKeyTarget(static_cast<int>(stops.size()), stops.indexOf(first),
                     onStrip ? kFocusStrip : stopHolding(stops, focus), next, tab == 6);
    QWidget* to = target == kFocusStrip ? strip : stops[target];
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace tw::app
