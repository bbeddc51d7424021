#include <QLabel>
#include <QVBoxLayout>

#include "app/families/compact/wlb_widgets.h"
#include "app/families/hln/hln_page_widget.h"
#include "app/families/kvr/kvr_widgets.h"
#include "app/page_widget.h"
#include "families/compact/compact_page.h"
#include "families/kvr/kvr_maint.h"
#include "families/kvr/marten30_page.h"
#include "view/main_view.h"

namespace tw::app {
namespace {

// A family whose page widget is not built yet: its name and nothing to edit.
PageWidget* placeholderWidget(int tab, FamilyPage& page, QWidget* parent) {
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);
    layout->addWidget(
        new QLabel(QString::fromUtf8(tabInfos()[static_cast<std::size_t>(tab)].label), w));
    layout->addStretch();
    return w;
}

}  // namespace

PageWidget* createPageWidget(int tab, FamilyPage& page, QWidget* parent) {
    if (auto* kvrPage = dynamic_cast<kvr::CKvrMaint*>(&page); kvrPage && tab == 0)
        return createKvrPageWidget(*kvrPage, parent);
    if (auto* m30Page = dynamic_cast<kvr::CMarten30Page*>(&page); m30Page && tab == 6)
        return createMarten30PageWidget(*m30Page, parent);
    if (auto* compactPage = dynamic_cast<compact::CCompactPage*>(&page)) {
        if (tab == 4) return createWlbPageWidget(*compactPage, parent);
        if (tab == 5) return createMarten60PPageWidget(*compactPage, parent);
    }
    switch (tab) {
        case 1:
            return createHlnPageWidget(page, parent);
        default:
            return placeholderWidget(tab, page, parent);
    }
}

}  // namespace tw::app
