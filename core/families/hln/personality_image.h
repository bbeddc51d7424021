#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw::hln {

// The buffers of one personality transfer: the radio's memory image and the three records
// the link reads beside it. It knows nothing of pages; the page and the personality
// transfer each make one per operation.
struct PersonalityImage {
    static constexpr std::size_t kFeatureRecordSize = 50;
    static constexpr std::size_t kTrackingRecordSize = 27;
    static constexpr std::size_t kAuxiliaryBlockSize = 56;
    // The feature record is byte 0, byte 1, the count N and N + 2 further bytes.
    static constexpr std::size_t kMaxFeatureCount = kFeatureRecordSize - 5;

    // The memory image. The image transfers use its first imageSize bytes and grow it to
    // that size when it is shorter, so they never reach past its end.
    std::vector<std::uint8_t> buffer;
    std::size_t endOfData = 0;         // encoder's write position: one past the last byte
    std::size_t personalityStart = 0;  // where the encoder put the personality block
    std::array<std::uint8_t, kFeatureRecordSize> feature{};
    std::array<std::uint8_t, kTrackingRecordSize> tracking{};
    std::array<std::uint8_t, kAuxiliaryBlockSize> auxiliary{};
    std::array<std::uint8_t, 8> options{0, 0, 0, 0, 0, 0, 0, 4};
    std::uint16_t idOverride = 0;

    // Bytes of the feature record that hold data (N + 5), bounded by the record.
    std::size_t featureLength() const {
        const std::size_t n = feature[2];
        return n <= kMaxFeatureCount ? n + 5 : kFeatureRecordSize;
    }
};

}  // namespace tw::hln
