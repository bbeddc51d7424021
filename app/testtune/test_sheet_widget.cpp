#include "app/testtune/test_sheet_widget.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/testtune/qt_timer_host.h"
#include "testtune/key_map.h"
#include "testtune/power_table.h"
#include "testtune/rf_pages.h"
#include "testtune/stream_test.h"

namespace tw::app {
namespace {

using testtune::CTestPage;
using testtune::CTestSheet;

QString idName(int id) {
    return QString::number(id);
}

// A scroll bar of the power table selects its row when it takes the focus.
class FocusFilter : public QObject {
  public:
    FocusFilter(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), onFocus_(std::move(onFocus)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) onFocus_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onFocus_;
};

// Pictures of the transmitter indicator: idle, off, on.
void showIndicator(QLabel* label, const std::string& picture) {
    const char* style = picture == "162"   ? "background:#2e8b57;color:white"
                        : picture == "161" ? "background:#b22222;color:white"
                                           : "background:#a0a0a0";
    label->setStyleSheet(style);
    label->setText(picture == "162" ? "TX ON" : picture == "161" ? "TX OFF" : "TX");
}

class SheetWindow {
  public:
    SheetWindow(DialogBox* box, CTestSheet& sheet) : box_(box), sheet_(sheet) {}

    void build();
    void refresh();

  private:
    QWidget* buildPage(int index);
    void addPowerGrid(QWidget* page, QGridLayout* grid, int& row);
    void act(const std::function<void()>& action);
    void runTestDialog();

    DialogBox* box_;
    CTestSheet& sheet_;
    QStackedWidget* stack_ = nullptr;
    QLabel* transmitter_ = nullptr;
    QPushButton *back_ = nullptr, *next_ = nullptr, *finish_ = nullptr;
    std::vector<std::function<void()>> refreshers_;
    bool refreshing_ = false;
};

void SheetWindow::act(const std::function<void()>& action) {
    action();
    refresh();
    if (sheet_.testDialog()) runTestDialog();
    if (sheet_.closed()) box_->pressNow("Cancel");
}

QWidget* SheetWindow::buildPage(int index) {
    CTestPage& page = sheet_.page(index);
    auto* w = new QWidget(stack_);
    auto* grid = new QGridLayout(w);
    int row = 0;
    grid->addWidget(new QLabel("<b>" + QString::fromStdString(page.title()) + "</b>", w), row++, 0,
                    1, 3);
    bool powerGridDone = false;
    for (const auto& c : page.controls().all()) {
        const int id = c.id;
        if (testtune::powerRow(id) && page.title() == "Power Setting") {
            if (!powerGridDone) addPowerGrid(w, grid, row);
            powerGridDone = true;
            continue;
        }
        QWidget* made = nullptr;
        // The band and frequency choices are radio buttons: the group's first id and the
        // one beside it.
        bool radio = false;
        for (const auto& [group, selected] : page.selections()) {
            (void)selected;
            radio = radio || id == group || id == group + 1;
        }
        if (radio) {
            auto* b = new QRadioButton(QString::fromStdString(c.text), w);
            QObject::connect(b, &QRadioButton::clicked, w,
                             [this, id] { act([&] { sheet_.pressButton(id); }); });
            refreshers_.push_back([this, &page, b, id] {
                b->setEnabled(page.controls().enabled(id));
                for (const auto& [group, selected] : page.selections())
                    if (selected == id || group == id) b->setChecked(selected == id);
            });
            made = b;
        } else if (page.isButton(id)) {
            auto* b = new QPushButton(QString::fromStdString(c.text), w);
            b->setAutoDefault(false);
            QObject::connect(b, &QPushButton::clicked, w,
                             [this, id] { act([&] { sheet_.pressButton(id); }); });
            refreshers_.push_back([&page, b, id] { b->setEnabled(page.controls().enabled(id)); });
            made = b;
        } else if (page.arrows().count(id)) {
            const testtune::Arrow a = page.arrows().at(id);
            auto* spin = new QSpinBox(w);
            spin->setRange(a.low, a.high);
            spin->setValue(a.position);
            QObject::connect(spin, &QSpinBox::valueChanged, w, [this, &page, spin, id](int value) {
                if (refreshing_) return;
                const int from = page.arrowPosition(id);
                act([&] {
                    for (int p = from; p != value; p += value > p ? 1 : -1)
                        sheet_.arrow(id, value > p ? 1 : -1);
                });
                (void)spin;
            });
            refreshers_.push_back([&page, spin, id] {
                spin->setEnabled(page.controls().enabled(id));
                spin->setValue(page.arrowPosition(id));
            });
            made = spin;
        } else if (id == testtune::CStandardRFPage2::kIndicator) {
            auto* l = new QLabel(w);
            l->setMinimumSize(60, 24);
            refreshers_.push_back([&page, l, id] { showIndicator(l, page.controls().text(id)); });
            made = l;
        } else {
            auto* l = new QLabel(QString::fromStdString(c.text), w);
            refreshers_.push_back([&page, l, id] {
                l->setText(QString::fromStdString(page.controls().text(id)));
                l->setEnabled(page.controls().enabled(id));
            });
            made = l;
        }
        made->setObjectName(idName(id));
        grid->addWidget(made, row++, 0, 1, 3);
    }
    return w;
}

void SheetWindow::addPowerGrid(QWidget* page, QGridLayout* grid, int& row) {
    // Rows Low/Mid/High; columns the three trunking, then the three talk-around points.
    auto* table = new QWidget(page);
    auto* g = new QGridLayout(table);
    const char* levels[] = {"Low", "Mid", "High"};
    for (int l = 0; l < 3; ++l) g->addWidget(new QLabel(levels[l], table), l + 1, 0);
    for (int col = 0; col < 6; ++col)
        g->addWidget(new QLabel(col < 3 ? "Trunking" : "Talk Around", table), 0, col + 1);
    CTestPage& p = sheet_.activePage();
    (void)p;
    for (const auto& r : testtune::kPowerTable) {
        auto* bar = new QScrollBar(Qt::Vertical, table);
        bar->setObjectName(idName(r.controlId));
        bar->setRange(0, 2);
        bar->setValue(1);
        bar->setMinimumHeight(60);
        const int id = r.controlId;
        QObject::connect(bar, &QScrollBar::actionTriggered, table, [this, bar, id](int action) {
            int code = -1;
            if (action == QAbstractSlider::SliderSingleStepSub) code = CTestPage::kScrollUp;
            if (action == QAbstractSlider::SliderSingleStepAdd) code = CTestPage::kScrollDown;
            if (code >= 0) act([&] { sheet_.scroll(id, code); });
            QTimer::singleShot(0, bar, [bar] { bar->setValue(1); });
        });
        bar->installEventFilter(new FocusFilter(
            bar, [this, id] { act([&] { sheet_.scroll(id, CTestPage::kScrollFocus); }); }));
        g->addWidget(bar, r.level + 1, r.mode * 3 + r.point + 1);
        refreshers_.push_back(
            [this, bar, id] { bar->setEnabled(sheet_.page(1).controls().enabled(id)); });
    }
    grid->addWidget(table, row++, 0, 1, 3);
}

void SheetWindow::build() {
    // Above every page, and only while the radio may be transmitting.
    transmitter_ = new QLabel(box_);
    transmitter_->setObjectName("transmitterOn");
    transmitter_->setAlignment(Qt::AlignCenter);
    transmitter_->setStyleSheet(
        "background:#cc0000;color:white;font-weight:bold;font-size:14pt;padding:6px");
    transmitter_->setVisible(false);
    box_->body()->addWidget(transmitter_);
    stack_ = new QStackedWidget(box_);
    for (int i = 0; i < sheet_.pageCount(); ++i) stack_->addWidget(buildPage(i));
    box_->body()->addWidget(stack_);
    auto* buttons = new QWidget(box_);
    auto* row = new QHBoxLayout(buttons);
    back_ = new QPushButton("< &Back", buttons);
    next_ = new QPushButton("&Next >", buttons);
    finish_ = new QPushButton("Finish", buttons);
    auto* cancel = new QPushButton("Cancel", buttons);
    for (auto* b : {back_, next_, finish_, cancel}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    QObject::connect(back_, &QPushButton::clicked, box_, [this] { act([&] { sheet_.back(); }); });
    QObject::connect(next_, &QPushButton::clicked, box_, [this] { act([&] { sheet_.next(); }); });
    QObject::connect(finish_, &QPushButton::clicked, box_, [this] { box_->pressNow("Finish"); });
    QObject::connect(cancel, &QPushButton::clicked, box_, [this] { box_->pressNow("Cancel"); });
    box_->body()->addWidget(buttons);

    // Time for the sheet: on a virtual clock it follows the real one while the window is up.
    auto* pump = new QTimer(box_);
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(pump, &QTimer::timeout, box_, [this, elapsed] {
        const qint64 ms = elapsed->restart();
        if (dynamic_cast<VirtualClock*>(&sheet_.env().clock)) sheet_.env().clock.sleep(ms);
        if (sheet_.testDialog()) sheet_.testDialog()->apply();
    });
    QObject::connect(box_, &QObject::destroyed, [elapsed] { delete elapsed; });
    pump->start(20);
    refresh();
}

void SheetWindow::refresh() {
    refreshing_ = true;
    stack_->setCurrentIndex(sheet_.activeIndex());
    const std::string keyed = testtune::transmitterOnText(sheet_);
    transmitter_->setText(QString::fromStdString(keyed));
    transmitter_->setVisible(!keyed.empty());
    box_->setWindowTitle(QString::fromStdString(sheet_.title()) +
                         (keyed.empty() ? QString() : QStringLiteral(" - TRANSMITTER ON")));
    back_->setEnabled(sheet_.backEnabled());
    next_->setEnabled(sheet_.nextEnabled());
    finish_->setEnabled(sheet_.finishEnabled());
    for (const auto& r : refreshers_) r();
    refreshing_ = false;
}

void SheetWindow::runTestDialog() {
    testtune::CTestDialog* test = sheet_.testDialog();
    if (!test) return;
    QDialog dialog(box_);
    dialog.setWindowTitle(QString::fromStdString(test->title()));
    auto* grid = new QGridLayout(&dialog);
    std::vector<std::function<void()>> update;
    int n = 0;
    if (auto* stream = dynamic_cast<testtune::CStreamTestDlg*>(test))
        if (!stream->prompt().empty())
            grid->addWidget(new QLabel(QString::fromStdString(stream->prompt()), &dialog), 0, 0, 1,
                            6);
    for (const auto& c : test->controls().all()) {
        const int id = c.id;
        QWidget* w = nullptr;
        if (id == testtune::kIdStop) continue;
        if (id == testtune::kVolumeProgress && test->controls().has(testtune::kVolumeText)) {
            auto* bar = new QProgressBar(&dialog);
            bar->setRange(0, 255);
            update.push_back(
                [test, bar, id] { bar->setValue(std::atoi(test->controls().text(id).c_str())); });
            w = bar;
        } else {
            auto* l = new QLabel(QString::fromStdString(c.text), &dialog);
            l->setFrameStyle(QFrame::Box);
            l->setAlignment(Qt::AlignCenter);
            update.push_back([test, l, id] {
                l->setText(QString::fromStdString(test->controls().text(id)));
                l->setEnabled(test->controls().enabled(id));
            });
            w = l;
        }
        w->setObjectName(idName(id));
        grid->addWidget(w, 1 + n / 6, n % 6);
        ++n;
    }
    auto* stop = new QPushButton("Stop Test", &dialog);
    stop->setObjectName(idName(testtune::kIdStop));
    grid->addWidget(stop, 2 + n / 6, 0, 1, 6);
    QObject::connect(stop, &QPushButton::clicked, &dialog,
                     [test] { test->press(testtune::kIdStop); });
    auto* poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, &dialog, [&, test] {
        if (test->closed() || sheet_.testDialog() != test) {
            dialog.accept();
            return;
        }
        for (const auto& u : update) u();
    });
    poll->start(20);
    dialog.exec();
    // Closed by Escape or the close box: the test ends as Stop ends it.
    if (sheet_.testDialog() == test && !test->closed()) test->Close();
    refresh();
}

}  // namespace

std::unique_ptr<DialogBox> buildTestSheetWidget(QWidget* parent, CTestSheet& sheet) {
    auto box = std::make_unique<DialogBox>(parent, sheet, QString::fromStdString(sheet.title()));
    sheet.setTimerHost(std::make_unique<QtTimerHost>(sheet.env().clock));
    auto window = std::make_shared<SheetWindow>(box.get(), sheet);
    window->build();
    DialogBox* raw = box.get();
    sheet.setChangeListener([window] { window->refresh(); });
    sheet.setCloseListener(
        [raw] { QTimer::singleShot(0, raw, [raw] { raw->pressNow("Cancel"); }); });
    QObject::connect(raw, &QObject::destroyed, [&sheet] {
        sheet.setChangeListener({});
        sheet.setCloseListener({});
    });
    // The window's state lives as long as the box.
    QObject::connect(raw, &QObject::destroyed, [window]() mutable { window.reset(); });
    return box;
}

}  // namespace tw::app
