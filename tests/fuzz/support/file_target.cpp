#include "file_target.h"

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "faults/fault_matrix.h"
#include "property.h"
#include "sim/models.h"

namespace tw::fuzz {
namespace {

using Texts = std::vector<std::pair<int, std::string>>;

Texts texts(const FamilyPage& page) {
    Texts out;
    for (const auto& c : page.controls().all()) out.emplace_back(c.id, c.text);
    return out;
}

bool load(FamilyPage& page, DataFile which) {
    return which == DataFile::Tracking ? page.ReadTrackingFromDisk() : page.ReadFeaturesFromDisk();
}

void checkQuiet(faults::PageBench& bench) {
    TW_PROPERTY(bench.ui.busyDepth() == 0, "busy cursor left on");
    TW_PROPERTY(!bench.ui.statusOpen(), "status window left open");
    TW_PROPERTY(bench.openLines() == 0, "a file operation opened the port");
}

}  // namespace

void checkFileLoad(int tab, DataFile which, bool sameBytes, const std::uint8_t* data,
                   std::size_t size) {
    faults::PageBench bench(sim::createModel("loopback", {}));
    FamilyPage& page = bench.page(tab);
    const std::string in = (bench.folder() / "in.dat").string();
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const Texts before = texts(page);
    bench.ui.files.push_back(in);
    const bool loaded = load(page, which);
    checkQuiet(bench);
    const Texts after = texts(page);
    if (!loaded) {
        TW_PROPERTY(after == before, "a refused file changed the page");
        TW_PROPERTY(!bench.ui.messages().empty(), "a file was refused without a word");
        return;
    }
    TW_PROPERTY(bench.ui.messages().empty(), "an accepted file showed a message");

    // Saved again (the page may refuse values its checks do not allow) and loaded back.
    const std::string out = (bench.folder() / "out.dat").string();
    bench.ui.files.push_back(out);
    const bool saved =
        which == DataFile::Tracking ? page.WriteTrackingToDisk() : page.WriteFeaturesToDisk();
    checkQuiet(bench);
    TW_PROPERTY(texts(page) == after, "saving changed the page");
    if (!saved) return;
    if (sameBytes) {
        std::ifstream f(out, std::ios::binary);
        const std::string written{std::istreambuf_iterator<char>(f), {}};
        TW_PROPERTY(written == std::string(reinterpret_cast<const char*>(data), size),
                    "the saved file differs from the file loaded");
    }
    faults::PageBench again(sim::createModel("loopback", {}));
    again.ui.files.push_back(out);
    TW_PROPERTY(load(again.page(tab), which), "a saved file was refused");
    TW_PROPERTY(texts(again.page(tab)) == after, "a saved file loads to other values");
}

}  // namespace tw::fuzz
