#pragma once

#include <QGridLayout>
#include <QWidget>
#include <functional>

#include "families/compact/value_grid.h"

namespace tw::app {

// Lays `values` out in `grid` from column `first`: the column heads in row 0 (without heads
// the rows start there), then each row's label and the boxes `box` makes for its controls, in
// the order the tab key takes them. Returns the column after the widest row's boxes.
int addValueGrid(QGridLayout* grid, const compact::ValueGrid& values, int first, QWidget* parent,
                 const std::function<QWidget*(int id, QWidget* parent)>& box);

}  // namespace tw::app
