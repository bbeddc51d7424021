#pragma once

#include <memory>
#include <string>

#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "kvr/kvr_fixture.h"
#include "sim/compact/compact_radio.h"

namespace tw::compact::test {

using kvr::test::readBytes;
using kvr::test::writeBytes;

// The KVR bench with a radio of tab 4 or 5's `family` and its page.
template <typename Page>
struct CompactBench : kvr::test::Bench<sim::CompactRadioModel> {
    Page page{env};

    CompactBench(const std::string& family, const sim::ModelOptions& options)
        : Bench(std::make_unique<sim::CompactRadioModel>(family, options)) {}
    const std::string& text(int id) const { return page.controls().text(id); }
    void setAll(const std::string& value) {
        for (const auto& f : page.model().fields) page.controls().setText(f.control, value);
    }
};

struct WlbBench : CompactBench<CWlbPage> {
    WlbBench(std::initializer_list<sim::ModelOptions::value_type> options = {})
        : CompactBench("wlb", sim::ModelOptions(options)) {}
};
struct Marten60PBench : CompactBench<CMarten60PPage> {
    Marten60PBench(std::initializer_list<sim::ModelOptions::value_type> options = {})
        : CompactBench("marten60p", sim::ModelOptions(options)) {}
};

}  // namespace tw::compact::test
