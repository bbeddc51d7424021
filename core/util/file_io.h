#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

// Writes the bytes to a temporary file next to `path` and renames it over `path`, so a save
// that fails half-way never leaves a damaged file where a good one was. False on any failure.
bool saveFileAtomically(const std::string& path, const void* data, std::size_t count);
inline bool saveFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return saveFileAtomically(path, bytes.data(), bytes.size());
}
inline bool saveFileAtomically(const std::string& path, const std::string& bytes) {
    return saveFileAtomically(path, bytes.data(), bytes.size());
}

// The file's bytes, opened for reading only (a read-only file loads as well as any other).
// At most `maxBytes` + 1 bytes are read, so a caller can tell a file that is too long without
// holding all of it. Nothing when the file cannot be opened or read.
std::optional<std::vector<std::uint8_t>> loadWholeFile(const std::string& path,
                                                       std::size_t maxBytes);

// Up to `count` bytes from `offset`; fewer when the file ends early. Nothing when the file
// cannot be opened.
std::optional<std::vector<std::uint8_t>> loadFileRange(const std::string& path, std::size_t offset,
                                                       std::size_t count);

// The file's size as the file system tells it, without reading it; nothing when the file
// cannot be found or is no regular file.
std::optional<std::uintmax_t> fileSize(const std::string& path);

// Hand-edited text files often end in blanks or line ends; they are no part of the data.
void dropTrailingBlanks(std::vector<std::uint8_t>& bytes);

// How much more than its data a hand-edited text file is read, for trailing blanks.
inline constexpr std::size_t kTrailingBlanksAllowance = 4096;

}  // namespace tw
