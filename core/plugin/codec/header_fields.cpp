#include "plugin/codec/header_fields.h"

#include <array>

#include "plugin/codec/image_format.h"

namespace tw {

std::size_t dtmfHeaderByte(std::size_t index) {
    // 1808, 1810, 1812, 1814, 1816, 1818
    static constexpr std::array<std::size_t, 6> kBytes{hdr::kDtmf1808, hdr::kDtmf1810,
                                                       hdr::kDtmf1812, hdr::kDtmf1814,
                                                       hdr::kDtmf1816, hdr::kDtmf1818};
    return kBytes[index];
}

void clearOwnedHeaderBytes(std::vector<std::uint8_t>& header) {
    if (header.size() < hdr::kSize) header.resize(hdr::kSize, 0);
    for (std::size_t i :
         {std::size_t{0}, std::size_t{8}, std::size_t{9}, std::size_t{10}, std::size_t{11},
          std::size_t{12}, std::size_t{13}, hdr::kDirectory, hdr::kDirectory + 1, hdr::kVersion,
          hdr::kVersion + 1, hdr::kChecksum, hdr::kNavloc, hdr::kClearvox})
        header[i] = 0;
    header[hdr::kFleetExponent] &= 0x1F;
    header[hdr::kLayout] &= static_cast<std::uint8_t>(~0x40);
}

bool sectionHeldByObjects(int section) {
    return (section >= 0 && section <= 10) || (section >= 13 && section <= 20) ||
           (section >= 22 && section <= kHighestSection);
}

}  // namespace tw
