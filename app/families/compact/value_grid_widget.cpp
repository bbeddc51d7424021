#include "app/families/compact/value_grid_widget.h"

#include <QLabel>
#include <algorithm>

namespace tw::app {

int addValueGrid(QGridLayout* grid, const compact::ValueGrid& values, int first, QWidget* parent,
                 const std::function<QWidget*(int id, QWidget* parent)>& box) {
    int column = first + 1;
    for (const char* head : values.heads)
        grid->addWidget(new QLabel(QString::fromUtf8(head), parent), 0, column++, Qt::AlignHCenter);
    int row = values.heads.empty() ? 0 : 1;
    std::size_t widest = 0;
    for (const auto& r : values.rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.label), parent), row, first);
        column = first + 1;
        for (int id : r.controls) grid->addWidget(box(id, parent), row, column++);
        widest = std::max(widest, r.controls.size());
        ++row;
    }
    return first + 1 + static_cast<int>(widest);
}

}  // namespace tw::app
