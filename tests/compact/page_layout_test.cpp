// The window layouts of the WLA, WLB and MARTEN 60P pages against the pages' own fields.
#include <gtest/gtest.h>

#include <algorithm>

#include "compact/wla_fixture.h"
#include "compact/wlb_fixture.h"
#include "families/compact/wla_record.h"

namespace tw::compact {
namespace {

using test::Marten60PBench;
using test::WlbBench;
using wla_test::WlaBench;

std::vector<const ValueGrid*> grids(const CompactLayout& l) {
    return {&l.squelch, &l.table, &l.singles};
}

std::vector<const ValueGrid*> grids(const WlaLayout& l) {
    return {&l.blocks[0], &l.blocks[1]};
}

// Every box of `layout` is a control of `page`, and the boxes are exactly the tracking
// fields, each once; a row holds a box under each head (one box where there are none), and
// the first control, if any, is one of the boxes.
template <typename Layout>
void expectBoxesAreTheFields(const Layout& layout, const Controls& page, std::vector<int> fields) {
    std::vector<int> boxes;
    for (const ValueGrid* g : grids(layout))
        for (const GridRow& r : g->rows) {
            EXPECT_EQ(r.controls.size(), g->heads.empty() ? 1 : g->heads.size()) << r.label;
            for (int id : r.controls) {
                EXPECT_TRUE(page.has(id)) << id;
                boxes.push_back(id);
            }
        }
    if (layout.firstControl != 0) {
        EXPECT_NE(std::find(boxes.begin(), boxes.end(), layout.firstControl), boxes.end());
    }
    std::sort(boxes.begin(), boxes.end());
    std::sort(fields.begin(), fields.end());
    EXPECT_EQ(boxes, fields);
}

// A compact box under a head is the field named "..., <head>"; a single box shows its field's
// name.
void expectCompactLabelsNameTheFields(const CompactModel& model) {
    auto name = [&](int id) -> std::string {
        for (const auto& f : model.fields)
            if (f.control == id) return f.name;
        return "";
    };
    for (const ValueGrid* g : grids(model.layout))
        for (const GridRow& r : g->rows)
            for (std::size_t c = 0; c < r.controls.size(); ++c) {
                const std::string field = name(r.controls[c]);
                if (g->heads.empty())
                    EXPECT_EQ(field, r.label);
                else
                    EXPECT_EQ(field.substr(field.rfind(", ") + 2), g->heads[c]) << field;
            }
}

TEST(PageLayout, CompactBoxesAreTheTrackingFieldsUnderTheirNames) {
    WlbBench wlb;
    Marten60PBench marten;
    for (const CCompactPage* page :
         std::initializer_list<const CCompactPage*>{&wlb.page, &marten.page}) {
        SCOPED_TRACE(page->model().family);
        std::vector<int> fields;
        for (const auto& f : page->model().fields) fields.push_back(f.control);
        expectBoxesAreTheFields(page->model().layout, page->controls(), fields);
        expectCompactLabelsNameTheFields(page->model());
    }
}

TEST(PageLayout, WlaBoxesAreTheTrackingFieldsInTheirRowsAndColumns) {
    WlaBench b;
    std::vector<int> fields;
    for (const auto& f : kWlaFields) fields.push_back(f.control);
    expectBoxesAreTheFields(wlaLayout(), b.page.controls(), fields);
    for (const ValueGrid* g : grids(wlaLayout()))
        for (const GridRow& r : g->rows)
            for (std::size_t c = 0; c < r.controls.size(); ++c) {
                const auto f =
                    std::find_if(kWlaFields.begin(), kWlaFields.end(),
                                 [&](const WlaField& w) { return w.control == r.controls[c]; });
                ASSERT_NE(f, kWlaFields.end());
                EXPECT_EQ(std::string(f->row) + ":", r.label);
                EXPECT_STREQ(f->column, g->heads[c]);
            }
}

}  // namespace
}  // namespace tw::compact
