#pragma once

namespace tw {

// Where Tab and Shift+Tab move the focus between the tab strip and the controls of the shown
// page. Controls are numbered by their place among the page's tab stops.
inline constexpr int kFocusStrip = -1;

// `stopCount` tab stops, the page's first control at `firstStop`, the focus on stop
// `focusStop` or on the strip (kFocusStrip). A page that `cyclesItself` moves among its own
// controls and wraps round instead of stopping at the strip. Returns the stop to focus or
// kFocusStrip.
int tabKeyTarget(int stopCount, int firstStop, int focusStop, bool forward, bool cyclesItself);

}  // namespace tw
