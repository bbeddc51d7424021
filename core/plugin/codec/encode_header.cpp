// The header area, the section directory, and what closes the image: the header checksum,
// the CRC and the preamble's lengths.
#include <algorithm>

#include "plugin/codec/encode_context.h"
#include "plugin/codec/header_fields.h"
#include "plugin/validation/value_convert.h"

namespace tw {
namespace {

unsigned countOf(int dialog, int control, double fraction) {
    return static_cast<unsigned>(
        std::min(fractionToCount(dialog, control, fraction).value_or(0), 255));
}

// Fleet exponent E: the agency data holds 2^E fleets (E = 0: none).
int fleetExponent(const CPersonality& p) {
    const auto* agency = p.GetOption<CAgencyData>();
    if (!agency) return 0;
    for (int e = 1; e <= 7; ++e)
        if (agency->fleets.size() == (1u << e)) return e;
    return 0;
}

}  // namespace

// Header area (104 bytes from P); the bytes no object holds come from the kept header.
//   0      0                      33-34  offset of the directory from P
//   8-13   DTMF counts            36-37  data version, major and minor
//   40     7-5 fleet exponent     41     6 long conventional records
//   68     checksum               94     NAVLOC count    103  Clearvox count
// The directory follows: byte 0 the highest section number, then one big-endian offset
// per section (0 = absent).
bool encodeHeaderAndDirectory(EncodeContext& c) {
    std::vector<std::uint8_t> header(hdr::kSize, 0);
    if (const auto* extras = c.p.GetOption<CImageExtras>()) {
        std::copy_n(extras->header.begin(), std::min(extras->header.size(), header.size()),
                    header.begin());
        clearOwnedHeaderBytes(header);
        for (const auto& [n, bytes] : extras->sections)
            if (!bytes.empty() && n <= 255 && !sectionHeldByObjects(n))
                c.highestSection = std::max(c.highestSection, n);
    }
    CDTMFOpts dtmf;
    if (const auto* d = c.p.GetOption<CDTMFOpts>()) dtmf = *d;
    for (std::size_t i = 0; i < dtmf.fractions.size(); ++i)
        header[dtmfHeaderByte(i)] =
            static_cast<std::uint8_t>(countOf(192, CDTMFOpts::kControls[i], dtmf.fractions[i]));
    if (const auto* n = c.p.GetOption<CNavlocOpts>())
        header[hdr::kNavloc] = static_cast<std::uint8_t>(countOf(141, 1197, n->fraction));
    if (const auto* v = c.p.GetOption<CClearvoxOpts>())
        header[hdr::kClearvox] = static_cast<std::uint8_t>(countOf(195, 1910, v->fraction));
    header[hdr::kDirectory] = 0;
    header[hdr::kDirectory + 1] = static_cast<std::uint8_t>(hdr::kSize);
    header[hdr::kVersion] = c.version.first;
    header[hdr::kVersion + 1] = c.version.second;
    header[hdr::kFleetExponent] |= static_cast<std::uint8_t>(fleetExponent(c.p) << 5);
    if (c.longConv) header[hdr::kLayout] |= 0x40;
    c.w.bytes(header.data(), header.size());
    c.directory = c.w.pos();
    c.w.u8(static_cast<unsigned>(c.highestSection));
    c.w.zeros(2 * (static_cast<std::size_t>(c.highestSection) + 1));
    return true;
}

void finishImage(EncodeContext& c) {
    const std::size_t p = c.start;
    const bool preamble = p != 0;
    // Byte 68 starts from 0 and sums P 16-67. With the preamble the radios that take it sum
    // P 25-76 instead, which runs over byte 68 itself: when the sum reaches it, the value
    // accumulated so far is added to itself. Kept exactly so, since those radios check it.
    unsigned sum = 0;
    const std::size_t from = preamble ? 25 : 16, to = preamble ? 76 : 67;
    for (std::size_t i = from; i <= to; ++i) sum += i == hdr::kChecksum ? sum : c.w.at(p + i);
    c.w.patch(p + hdr::kChecksum, (0x100 - (sum & 0xFF)) & 0xFF);

    c.place(kSecCrc);
    const std::size_t end = std::min(c.w.pos(), c.w.limit());
    const std::uint16_t crc = crc16Usb(c.image.buffer.data() + p, end - p);
    c.w.u16(crc);
    if (preamble) {
        // Bytes 5-6: the length up to the CRC's end; one reserved byte (0) follows it, and
        // bytes 7-8 count that byte too. The data ends after the reserved byte.
        const std::size_t length = c.w.pos();
        c.w.u8(0);
        c.w.patch16(5, static_cast<unsigned>(length));
        c.w.patch16(7, static_cast<unsigned>(length + 1));
    }
}

}  // namespace tw
