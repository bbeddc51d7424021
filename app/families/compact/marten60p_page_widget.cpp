#include "app/families/compact/wlb_widgets.h"

namespace tw::app {

PageWidget* createMarten60PPageWidget(compact::CCompactPage& page, QWidget* parent) {
    return createCompactPageWidget(page, parent);
}

}  // namespace tw::app
