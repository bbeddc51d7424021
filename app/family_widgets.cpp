#include <QLabel>
#include <QVBoxLayout>

#include "app/page_widget.h"
#include "view/main_view.h"

namespace tw::app {
namespace {

// A family whose page widget is not built yet: its name and nothing to edit.
PageWidget* placeholderWidget(int tab, FamilyPage& page, QWidget* parent) {
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(new QLabel(QString::fromUtf8(tabInfos()[static_cast<std::size_t>(tab)].label), w));
    layout->addStretch();
    return w;
}

}  // namespace

PageWidget* createPageWidget(int tab, FamilyPage& page, QWidget* parent) {
    switch (tab) {
        default: return placeholderWidget(tab, page, parent);
    }
}

}  // namespace tw::app
