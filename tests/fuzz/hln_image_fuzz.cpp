// A raw HLN memory image through the HLN page's image write (the size check), then Get
// Status on the radio that now holds it (the pointer-table walk over arbitrary memory).
// The first byte picks the radio type.
#include <cstdlib>
#include <fstream>

#include "families/hln/hln_page.h"
#include "faults/fault_matrix.h"
#include "sim/hln/hln_radio.h"
#include "support/property.h"
#include "support/scripted_radio.h"

namespace {
const char kTypes[] = "ABCHIJKMTUV";
}

// With TW_FUZZ_SEEDS set: the simulated radios' own memories as seeds, then exit.
using namespace tw;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* folder = std::getenv("TW_FUZZ_SEEDS");
    if (!folder) return 0;
    for (char type : {'A', 'H', 'U', 'B'}) {
        sim::HlnRadio radio(sim::ModelOptions{{"type", std::string(1, type)}});
        std::vector<std::uint8_t> seed{static_cast<std::uint8_t>(std::string(kTypes).find(type))};
        seed.insert(seed.end(), radio.memory().begin(), radio.memory().end());
        fuzz::writeSeed(folder, std::string("memory-") + type, seed);
    }
    std::exit(0);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0) return 0;
    const char type = kTypes[data[0] % (sizeof kTypes - 1)];
    faults::PageBench bench(
        std::make_unique<sim::HlnRadio>(sim::ModelOptions{{"type", std::string(1, type)}}));
    const std::string file = (bench.folder() / "image.bin").string();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    auto& radio = static_cast<sim::HlnRadio&>(bench.radio());
    const std::vector<std::uint8_t> memoryBefore = radio.memory();
    // Select Radio Type offers no UKT 10 or UKT/OKT button: the technician picks UKT.
    bench.chooseRadioType(type == 'H' || type == 'J' ? 'I' : type);

    auto& page = static_cast<hln::CHlnmaintDlg&>(bench.page(1));
    const Millis start = bench.clock.now();
    const bool written = page.writeImageFromFile(file);
    TW_PROPERTY(bench.openLines() == 0, "link left open");
    TW_PROPERTY(bench.ui.busyDepth() == 0 && !bench.ui.statusOpen(), "busy or status left");
    const std::vector<std::uint8_t> image(data + 1, data + size);
    if (image.size() != memoryBefore.size()) {
        TW_PROPERTY(!written, "an image of the wrong size was written");
        TW_PROPERTY(radio.memory() == memoryBefore, "a refused image changed the radio");
        return 0;
    }
    std::string shown;
    for (const auto& m : bench.ui.messages()) shown += " [" + m + "]";
    TW_PROPERTY(written, "an image of the right size was refused:" + shown);
    TW_PROPERTY(radio.memory() == image, "the radio holds other bytes than the file");

    // The table walk over whatever the image holds, under the matrix's general rule.
    for (const auto& row : faults::faultRows()) {
        if (row.name != "hln get-status") continue;
        faults::FaultRow status = row;
        status.prepare = {};
        const auto run = faults::runOnBench(status, bench, nullptr);
        const std::string why = faults::checkRun(status, faults::FaultKind::Fuzz, run, run);
        TW_PROPERTY(why.empty(), why);
    }
    TW_PROPERTY(bench.clock.now() - start < 600000, "image write and status beyond 10 minutes");
    return 0;
}
