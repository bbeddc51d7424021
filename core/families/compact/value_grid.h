#pragma once

#include <vector>

namespace tw::compact {

// A row of value boxes in a page's window: the label left of it, exactly as shown, and its
// controls from left to right.
struct GridRow {
    const char* label;
    std::vector<int> controls;
};

// Rows of value boxes under their column heads; without heads the rows start at the top. The
// window creates the boxes in this order, which is the order the tab key takes them.
struct ValueGrid {
    std::vector<const char*> heads;
    std::vector<GridRow> rows;
};

}  // namespace tw::compact
