// .Enc files: a refused file leaves the held feature data as it was; an accepted one holds a
// length within the 256-byte block, writes back to the same bytes, and its report line shows
// exactly the bytes from offset 10 up to that length.
#include <cstdint>
#include <string>
#include <vector>

#include "families/blt/blt_files.h"
#include "families/blt/blt_report.h"
#include "support/file_target.h"

namespace {

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(2, tw::fuzz::DataFile::Features, true, data, size);
    using namespace tw::blt;
    const std::vector<std::uint8_t> bytes(data, data + size);
    RadioData held;
    held.featureWords = {1, 2, 3, 12};
    held.featureBlock.fill(0x5A);
    const RadioData before = held;
    if (!decodeFeatureFile(bytes, held)) {
        check(held.featureWords == before.featureWords);
        check(held.featureBlock == before.featureBlock);
        return 0;
    }
    const std::size_t length = held.featureLength();
    check(length >= 1 && length <= kFeatureBlockSize);
    check(encodeFeatureFile(held) == bytes);
    for (std::size_t i = length; i < kFeatureBlockSize; ++i) check(held.featureBlock[i] == 0);
    const auto lines = bltReportLines(held);
    const std::size_t shown = length > 10 ? 2 * (length - 10) : 0;
    check(lines.size() > 2 && lines[2].size() == std::string("FEATURE DATA: ").size() + shown);
    return 0;
}
