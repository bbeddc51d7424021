#include "view/tab_keys.h"

namespace tw {

int tabKeyTarget(int stopCount, int firstStop, int focusStop, bool forward, bool cyclesItself) {
    if (stopCount <= 0) return kFocusStrip;
    const int n = stopCount;
    const int first = firstStop >= 0 && firstStop < n ? firstStop : 0;
    const int beforeFirst = (first + n - 1) % n;
    const bool onStrip = focusStop < 0 || focusStop >= n;
    if (onStrip) return forward ? first : beforeFirst;
    if (cyclesItself) return (focusStop + (forward ? 1 : n - 1)) % n;
    if (forward) {
        const int next = (focusStop + 1) % n;
        // Coming round to the first control again means the page is done: on to the strip.
        return next == first ? kFocusStrip : next;
    }
    return focusStop == first ? kFocusStrip : (focusStop + n - 1) % n;
}

}  // namespace tw
