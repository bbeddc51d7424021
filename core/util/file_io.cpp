#include "util/file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace tw {

bool saveFileAtomically(const std::string& path, const void* data, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    std::size_t done = 0;
    bool ok = true;
    while (done < count) {
        const ssize_t n = ::write(fd, bytes + done, count - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    // mkstemp creates the file private to the user; a saved data file is an ordinary one.
    if (ok) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::chmod(temp.c_str(), 0666 & ~mask) == 0;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

std::optional<std::vector<std::uint8_t>> loadWholeFile(const std::string& path,
                                                       std::size_t maxBytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    bytes.resize(got);
    return bytes;
}
std::optional<std::vector<std::uint8_t>> loadFileRange(const std::string& path, std::size_t offset,
                                                       std::size_t count) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes(count);
    std::size_t got = 0;
    if (std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0)
        got = std::fread(bytes.data(), 1, count, f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
}

std::optional<std::uintmax_t> fileSize(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

void dropTrailingBlanks(std::vector<std::uint8_t>& bytes) {
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\t' || bytes.back() == '\r' ||
                              bytes.back() == '\n'))
        bytes.pop_back();
}

}  // namespace tw
