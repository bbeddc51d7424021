#include "plugin/transfer/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tw {

std::variant<ImageFileRead, ImageFileError> readImageFile(const std::string& path,
                                                          std::size_t limit) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return ImageFileError{false, std::strerror(errno)};
    ImageFileRead r;
    r.bytes.resize(limit + 1);
    const std::size_t n = std::fread(r.bytes.data(), 1, r.bytes.size(), f.get());
    if (std::ferror(f.get())) return ImageFileError{true, std::strerror(errno)};
    r.fileBytes = n;
    if (n > limit) {
        // Only the size is wanted now; the rest of the file is never held.
        std::uint8_t chunk[4096];
        std::size_t more = 0;
        while ((more = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) r.fileBytes += more;
    }
    r.bytes.resize(n > limit ? limit : n);
    return r;
}

}  // namespace tw
