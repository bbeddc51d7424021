#include "radio_target.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "faults/fault_matrix.h"
#include "property.h"
#include "scripted_radio.h"

namespace tw::fuzz {
namespace {

std::vector<const faults::FaultRow*> rowsOf(const std::string& family) {
    std::vector<const faults::FaultRow*> out;
    for (const auto& r : faults::faultRows())
        if (r.family == family) out.push_back(&r);
    return out;
}

// The clean run of a row, the reference for its messages; made once per process.
const faults::RunOutcome& cleanRun(const faults::FaultRow& row) {
    static std::map<const faults::FaultRow*, faults::RunOutcome> runs;
    auto it = runs.find(&row);
    if (it == runs.end())
        it = runs.emplace(&row, faults::runRow(row, faults::rowModel(row), nullptr)).first;
    return it->second;
}

}  // namespace

void runRadioOperation(const std::string& family, const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    const auto rows = rowsOf(family);
    TW_PROPERTY(!rows.empty(), "no rows for " + family);
    const faults::FaultRow& row = *rows[data[0] % rows.size()];
    const auto& clean = cleanRun(row);
    const auto run =
        faults::runRow(row, std::make_unique<ScriptedRadio>(data + 1, size - 1), nullptr);
    const std::string why = faults::checkRun(row, faults::FaultKind::Fuzz, run, clean);
    TW_PROPERTY(why.empty(), row.name + ": " + why);
}

bool writeRadioSeeds(const std::string& family) {
    const char* folder = std::getenv("TW_FUZZ_SEEDS");
    if (!folder) return false;
    const auto rows = rowsOf(family);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto script = std::make_shared<std::vector<std::uint8_t>>();
        script->push_back(static_cast<std::uint8_t>(i));
        faults::runRow(*rows[i],
                       std::make_unique<RecordingRadio>(faults::rowModel(*rows[i]), script),
                       nullptr);
        std::string name = rows[i]->name;
        for (char& c : name)
            if (c == ' ') c = '-';
        writeSeed(folder, name, *script);
    }
    return true;
}

}  // namespace tw::fuzz
