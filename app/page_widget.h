#pragma once

#include <QWidget>
#include <functional>
#include <set>

#include "run/radio_operation.h"
#include "view/family_page.h"

class QGridLayout;
class QLineEdit;

namespace tw::app {

// The widget of one family tab: a view over its core page. Child widgets whose objectName is
// a control id ("1054") are bound to the page's control of that id: before an operation
// their texts go into the page (pullFromWidgets), afterwards the page's texts and enable
// states come back (pushToWidgets). QLineEdit, QLabel, QPlainTextEdit and QComboBox carry
// text (a combo box: its current text); every widget carries its enable state.
class PageWidget : public QWidget {
    Q_OBJECT
  public:
    PageWidget(FamilyPage& page, QWidget* parent);

    FamilyPage& page() { return page_; }
    void pullFromWidgets();
    void pushToWidgets();
    // The same from a copy of the page's controls, taken where the page's data lived then.
    void pushToWidgets(const std::vector<Control>& controls);

    // Hands an operation to the radio worker: pulls the widgets' texts first and pushes the
    // page back when it ends. Returns whether it started.
    using Starter = std::function<bool(PageWidget*, RadioWork, std::function<bool()>)>;
    void setStarter(Starter starter) { starter_ = std::move(starter); }

    // Runs a page operation between a pull and a push: on the worker when a starter is set
    // (returns whether it started), else right here (returns its result).
    bool exchange(std::function<bool()> operation, RadioWork work = RadioWork::Read);

    // The page's buttons, from the page's list of its actions: each in the cell the list
    // gives it, made (and so reached by Tab) down the columns when columnsFirst, else along
    // the rows; captioned by its control's text; hidden when the list offers it nowhere. A
    // press runs on the worker, or right here when it opens a window of its own, and then
    // afterWindow follows.
    QGridLayout* actionButtons(bool columnsFirst = false, std::function<void()> afterWindow = {});

    // The control that takes the focus when the tab is shown (0: none).
    int firstControl() const { return firstControl_; }
    void setFirstControl(int id) { firstControl_ = id; }
    QWidget* control(int id) const;

    // Puts the focus in the box a failed check before a write named, once the operation has
    // ended (its message read) and the page takes input again.
    void focusFailedField();

    // From now on a change the technician makes in a bound control is noted in the page as
    // an edit, and edited() follows. Called once the page's widgets are built.
    void watchEdits();

  signals:
    void edited();

  private:
    // Frames a value box in red, with what it allows as its tooltip, while the page says its
    // text would be refused; bound once, when the box first receives the page's text.
    void watchField(int id, QLineEdit* edit);
    std::set<int> watched_;
    std::set<int> marked_;

    FamilyPage& page_;
    int firstControl_ = 0;
    Starter starter_;
    // A push from the page is no edit of the technician's.
    bool pushing_ = false;
};

// The widget of the given tab (a generic one for families whose widget is not built yet).
PageWidget* createPageWidget(int tab, FamilyPage& page, QWidget* parent);

}  // namespace tw::app
