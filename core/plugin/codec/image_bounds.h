#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tw {

// What an image's own section directory says about the bytes at hand, before anything is
// decoded.
struct ImageBounds {
    // Why the bytes read are too few for the directory, worded to follow "but ": for
    // example "its directory places the CRC (section 34) at bytes 2000 and 2001". Empty
    // when the bytes read hold the header, the directory and every section it places.
    std::string cutShort;
    // What is odd but no reason to refuse: sections that overlap, a CRC that does not match
    // its bytes. One line each.
    std::vector<std::string> notes;
};

// `image` is the image as the decoder sees it (at most the radio's image size, the bytes
// past what was read being zeros); the first `bytesRead` of it came from the file or the
// radio. Positions are counted from the image's first byte. A header or directory that lies
// past the image itself is left to the decoder, which names it.
ImageBounds checkImageBounds(std::span<const std::uint8_t> image, std::size_t bytesRead);

}  // namespace tw
