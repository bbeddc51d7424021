#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tw {

// A personality image file read for decoding: opened read-only, at most `limit` bytes kept.
struct ImageFileRead {
    std::vector<std::uint8_t> bytes;
    std::uintmax_t fileBytes = 0;  // what the file holds; more than `limit` means too long
};
struct ImageFileError {
    bool opened = false;  // false: it could not be opened at all
    std::string reason;
};

std::variant<ImageFileRead, ImageFileError> readImageFile(const std::string& path,
                                                          std::size_t limit);

}  // namespace tw
