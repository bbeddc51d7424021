#include "app/families/compact/wlb_widgets.h"
#include "families/compact/compact_page.h"

namespace tw::app {

PageWidget* createMarten60PPageWidget(compact::CCompactPage& page, QWidget* parent) {
    const CompactPageLayout shape{{{"Opening", {2040, 2041}}, {"Closing ", {2042, 2043}}},
                                  {{"Ref Oscillator Frequency Adjust", 2057},
                                   {"Low Voltage Cutoff", 2058},
                                   {"TX Dev Offset", 2063}},
                                  true};
    // The tab sets no focus of its own when it is shown.
    return createCompactPageWidget(page, shape, parent);
}

}  // namespace tw::app
