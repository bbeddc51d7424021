// "rfdata.bin" through the KVR Radio Type button: the dialog's band-split list is built from
// the file, then the first input bit chooses Cancel or Write To Radio with the last line.
#include <fstream>
#include <numeric>

#include "families/kvr/kvr_maint.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "faults/fault_matrix.h"
#include "sim/kvr/kvr_radio_model.h"
#include "support/property.h"
#include "ui/dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0) return 0;
    const bool write = data[0] & 1;
    faults::PageBench bench(std::make_unique<sim::KvrRadioModel>(sim::ModelOptions{}));
    std::ofstream((bench.folder() / "rfdata.bin").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    bench.env().profile.writeString("Directory Settings", "Translators", bench.folder().string());

    std::size_t bandLines = 0;
    bench.ui.onDialog = [&](Dialog& d) {
        const auto lines = d.describe();
        bool inBands = false;
        for (const auto& l : lines) {
            if (l.rfind("Bandsplit", 0) == 0)
                inBands = true;
            else if (l.rfind("Buttons", 0) == 0)
                inBands = false;
            else if (inBands && l.find("(no band split)") == std::string::npos)
                ++bandLines;
        }
        if (!write || bandLines == 0) return applyDialogScript(d, DialogScript{{}, "Cancel"});
        return applyDialogScript(
            d, DialogScript{{{std::to_string(kvr::CKvrRadioTypeDlg::kBandSplitList),
                              std::to_string(bandLines - 1)}},
                            kvr::CKvrRadioTypeDlg::kWriteButton});
    };
    bool written = false;
    auto& page = static_cast<kvr::CKvrMaint&>(bench.page(0));
    page.RadioType(&written);
    TW_PROPERTY(bandLines <= 16, "more band-split lines than records");
    TW_PROPERTY(bench.openLines() == 0, "link left open");
    TW_PROPERTY(bench.ui.busyDepth() == 0 && !bench.ui.statusOpen(), "busy or status left");
    const auto messages = bench.ui.messages();
    TW_PROPERTY(!messages.empty(), "no message");
    if (written) {
        TW_PROPERTY(
            messages.back() == "Initial data written.\nTurn off radio and disconnect from cable.",
            "a write without its message");
        auto& memory = static_cast<sim::KvrRadioModel&>(bench.radio()).memory();
        const unsigned sum = std::accumulate(memory.begin(), memory.begin() + 68, 0u);
        TW_PROPERTY(sum % 256 == 0, "initial data written with a wrong checksum");
    } else {
        TW_PROPERTY(
            messages.back() == "Action cancelled.\nTurn off radio and disconnect from cable.",
            "a cancelled dialog without its message");
    }
    return 0;
}
