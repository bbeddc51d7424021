#include "families/compact/wla_files.h"

#include <algorithm>

namespace tw::compact {

std::vector<std::uint8_t> encodeTk4(const WlaRecord& record) {
    return {record.begin(), record.end()};
}

std::optional<WlaRecord> decodeTk4(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() != kWlaRecordSize) return std::nullopt;
    WlaRecord record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

FileChoice motFileChoice(bool save) {
    FileChoice c;
    c.filter = kMotFilter;
    c.defaultExtension = "mot";
    c.initialName = "*.mot";
    c.overwritePrompt = save;
    return c;
}

}  // namespace tw::compact
