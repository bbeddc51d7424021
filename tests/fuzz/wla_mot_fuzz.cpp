// The S-record reader on any bytes: a refusal names a line of the file and a reason; an
// accepted file fills exactly the image, and what the writer makes of its code area reads
// back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "families/compact/srecord.h"

using namespace tw::compact;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto result = readMotFile(bytes);
    if (const auto* refusal = std::get_if<MotRefusal>(&result)) {
        std::size_t lines = 1;
        for (std::uint8_t b : bytes) lines += b == '\n';
        if (refusal->reason.empty() || refusal->line > lines) __builtin_trap();
        return 0;
    }
    const MotFile& file = std::get<MotFile>(result);
    if (file.image.size() != kCodeImageSize || file.s1Records < 0) __builtin_trap();
    const std::string text = writeMotFile(file.image.data(), kCodeFileBytes);
    const auto again = readMotFile(std::vector<std::uint8_t>(text.begin(), text.end()));
    const auto* back = std::get_if<MotFile>(&again);
    if (!back) __builtin_trap();
    for (std::size_t a = 0; a < kCodeFileBytes; ++a)
        if (back->image[a] != file.image[a]) __builtin_trap();
    return 0;
}
