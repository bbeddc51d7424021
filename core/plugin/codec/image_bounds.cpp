// Checks an image's directory against the bytes that were read. A file cut short reads
// back as zeros past its end, which the decoder would take for empty sets and tables, so
// the directory's own places decide whether everything is there. Overlaps and the CRC are
// only noted: radios overwrite their tracking and feature sections in place without
// updating the CRC, and nothing in a radio checks it.
#include "plugin/codec/image_bounds.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "plugin/codec/byte_view.h"
#include "plugin/codec/image_format.h"

namespace tw {
namespace {

template <class... Args>
std::string text(const char* format, Args... args) {
    char out[256];
    std::snprintf(out, sizeof out, format, args...);
    return out;
}

// Bytes of the sections whose length the layout fixes; 0 for those whose length follows
// from their content.
std::size_t fixedSectionSize(int section) {
    switch (section) {
        case kSecCallback:
        case kSecRciKeypad:
            return 10;
        case kSecTracking:
            return kTrackingSectionSize;
        case kSecFeature:
            return kFeatureSectionSize;
        case kSecScratchIds:
            return 20;
        case kSecScratchPhones:
        case kSecTpgPhones:
            return 10 * kPhoneRecordSize;
        case kSecTpgTones:
            return 40;
        case kSecFlexKeys:
            return 3 * kFlexKeyRecordSize;
        case kSecReserved:
            return kReservedSectionSize;
        case kSecAuxiliary:
            return kAuxiliarySectionSize;
        case kSecDualset:
            return 6;
        case kSecCrc:
            return 2;
        default:
            return 0;
    }
}

struct Placed {
    int section;
    std::size_t start, size;  // size 0: not known without decoding
    std::size_t end() const { return start + std::max<std::size_t>(size, 1); }
};

std::string placedAt(const Placed& s) {
    if (s.section == kSecCrc)
        return text("its directory places the CRC (section 34) at bytes %zu and %zu", s.start,
                    s.start + 1);
    if (s.size <= 1) return text("its directory places section %d at byte %zu", s.section, s.start);
    return text("its directory places section %d at bytes %zu to %zu", s.section, s.start,
                s.end() - 1);
}

// A section beginning inside a fixed one overlaps it. Two beginning at the same byte
// overlap only when both are known to hold bytes: one of content-sized length may be empty.
void noteOverlaps(std::vector<Placed> placed, std::vector<std::string>& notes) {
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.start != b.start ? a.start < b.start : a.section < b.section;
    });
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Placed &a = placed[i], &b = placed[j];
            if (b.start >= a.start + a.size) break;
            if (b.start > a.start)
                notes.push_back(text(
                    "Sections %d and %d overlap: section %d begins at byte %zu, inside section %d "
                    "(bytes %zu to %zu).",
                    a.section, b.section, b.section, b.start, a.section, a.start, a.end() - 1));
            else if (b.size > 0)
                notes.push_back(text("Sections %d and %d overlap: both begin at byte %zu.",
                                     a.section, b.section, a.start));
        }
}

}  // namespace

ImageBounds checkImageBounds(std::span<const std::uint8_t> image, std::size_t bytesRead) {
    ImageBounds out;
    const ByteView view(image.data(), image.size());
    const std::size_t data = std::min(bytesRead, image.size());
    std::size_t p = 0;
    auto flag = view.u8(0);
    if (!flag) return out;
    if (*flag != 0) {
        auto at = view.u16(3);
        if (!at) return out;
        p = *at;
    }
    if (!view.has(p, hdr::kSize)) return out;
    const std::size_t dir = p + *view.u16(p + hdr::kDirectory);
    auto highest = view.u8(dir);
    if (!highest) return out;
    const std::size_t entries = 2 * (static_cast<std::size_t>(*highest) + 1);
    if (!view.has(dir + 1, entries)) return out;
    const std::size_t structureEnd = std::max(p + hdr::kSize, dir + 1 + entries);
    if (structureEnd > data) {
        out.cutShort = text("its header and section directory reach byte %zu", structureEnd - 1);
        return out;
    }

    std::vector<Placed> placed;
    std::optional<Placed> crc;
    for (int n = 0; n <= *highest; ++n) {
        const std::uint16_t offset = *view.u16(dir + 1 + 2 * static_cast<std::size_t>(n));
        if (offset == 0) continue;
        placed.push_back({n, p + offset, fixedSectionSize(n)});
        if (n == kSecCrc) crc = placed.back();
    }
    // The CRC closes the image: its place says how long the image is meant to be.
    if (crc && crc->end() > data) {
        out.cutShort = placedAt(*crc);
        return out;
    }
    for (const Placed& s : placed)
        if (s.end() > data) {
            out.cutShort = placedAt(s);
            return out;
        }

    noteOverlaps(placed, out.notes);
    if (crc) {
        const std::uint16_t held = *view.u16(crc->start);
        const std::uint16_t computed = crc16Usb(image.data() + p, crc->start - p);
        if (held != computed)
            out.notes.push_back(
                text("The CRC (section 34) holds %04X, but the bytes before it give %04X; a radio "
                     "whose tracking or feature data were written after its personality holds such "
                     "a CRC.",
                     static_cast<unsigned>(held), static_cast<unsigned>(computed)));
    }
    return out;
}

}  // namespace tw
