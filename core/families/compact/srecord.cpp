#include "families/compact/srecord.h"

#include <algorithm>
#include <optional>

#include "util/hex.h"
#include "util/text.h"

namespace tw::compact {

namespace {

constexpr std::uint8_t kCtrlZ = 0x1A;
constexpr std::uint32_t kAddressSpace = 0x10000;

struct Line {
    std::size_t number;
    std::string text;
};

bool isBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Address bytes of each record type, S0 to S9; 0 for the types a file may not hold.
int addressBytes(char type) {
    switch (type) {
        case '0':
        case '1':
        case '5':
        case '9':
            return 2;
        case '6':
        case '8':
            return 3;
        case '7':
            return 4;
        default:
            return 0;
    }
}

class Reader {
  public:
    std::optional<MotRefusal> take(const Line& line);
    MotFile file;

  private:
    std::optional<MotRefusal> refuse(const Line& line, std::string reason) const {
        return MotRefusal{line.number, std::move(reason)};
    }
    std::optional<MotRefusal> storeData(const Line& line, std::uint32_t address,
                                        const std::vector<std::uint8_t>& data);

    bool ended_ = false;
    std::vector<std::uint8_t> given_ = std::vector<std::uint8_t>(kAddressSpace, 0);
    std::vector<std::uint8_t> values_ = std::vector<std::uint8_t>(kAddressSpace, 0);
};

std::optional<MotRefusal> Reader::take(const Line& line) {
    std::string text = line.text;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (isBlank(text)) return std::nullopt;
    if (ended_) return refuse(line, "a record after the end record");
    if (text.size() < 2 || text[0] != 'S' || text[1] < '0' || text[1] > '9')
        return refuse(line, "not an S-record");
    const char type = text[1];
    if (type == '2' || type == '3')
        return refuse(line, format("S%c records (addresses above 0xFFFF) cannot be flashed", type));
    const int addrLen = addressBytes(type);
    if (addrLen == 0)
        return refuse(line, format("S%c is not a record type of a program file", type));

    const std::string body = text.substr(2);
    for (char c : body)
        if (hexDigitValue(c) < 0) return refuse(line, "a character that is not hexadecimal");
    if (body.size() < 2) return refuse(line, "no byte count");
    const std::size_t count =
        static_cast<std::size_t>(hexDigitValue(body[0]) * 16 + hexDigitValue(body[1]));
    if (count < 3) return refuse(line, "byte count below 3");
    if (text.size() != 4 + 2 * count)
        return refuse(line, format("%zu characters where the byte count %zu needs %zu", text.size(),
                                   count, 4 + 2 * count));
    std::vector<std::uint8_t> bytes(count + 1);
    for (std::size_t i = 0; i <= count; ++i)
        bytes[i] = static_cast<std::uint8_t>(hexDigitValue(body[2 * i]) * 16 +
                                             hexDigitValue(body[2 * i + 1]));
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    const auto expected = static_cast<std::uint8_t>(~sum & 0xFF);
    if (bytes[count] != expected)
        return refuse(
            line, format("checksum %02X where the record sums to %02X", bytes[count], expected));
    if (count < static_cast<std::size_t>(addrLen) + 1)
        return refuse(line, format("byte count too small for an S%c record", type));

    std::uint32_t address = 0;
    for (int i = 1; i <= addrLen; ++i) address = address << 8 | bytes[static_cast<std::size_t>(i)];
    const std::vector<std::uint8_t> data(bytes.begin() + 1 + addrLen, bytes.begin() + count);
    switch (type) {
        case '0':
            return std::nullopt;
        case '1':
            ++file.s1Records;
            return storeData(line, address, data);
        case '5':
        case '6':
            if (!data.empty()) return refuse(line, format("data in an S%c record", type));
            if (address != static_cast<std::uint32_t>(file.s1Records))
                return refuse(line, format("record count %u where the file has %d S1 records",
                                           address, file.s1Records));
            return std::nullopt;
        default:
            if (!data.empty()) return refuse(line, format("data in an S%c record", type));
            ended_ = true;
            return std::nullopt;
    }
}

std::optional<MotRefusal> Reader::storeData(const Line& line, std::uint32_t address,
                                            const std::vector<std::uint8_t>& data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::uint32_t at = address + static_cast<std::uint32_t>(i);
        if (at >= kAddressSpace) return refuse(line, "data past address 0xFFFF");
        if (given_[at] && values_[at] != data[i])
            return refuse(line, format("address %04X given twice with different values", at));
        if (at < kCodeAreaStart || at >= kCodeAreaEnd)
            ++file.outsideBytes;
        else if (!given_[at])
            ++file.codeBytes;
        given_[at] = 1;
        values_[at] = data[i];
        // The radio's own top page (vector tables at 0xFFxx) has no place in the image.
        if (at < file.image.size()) file.image[at] = data[i];
    }
    return std::nullopt;
}

}  // namespace

std::string MotRefusal::text() const {
    if (line == 0) return "The file cannot be flashed: " + reason + ".";
    return format("The file cannot be flashed.\nLine %zu: %s.", line, reason.c_str());
}

std::variant<MotFile, MotRefusal> readMotFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() > kMaxMotFileBytes)
        return MotRefusal{0, "it is larger than 4 MiB, far more than a radio program"};
    // Old editors end a text file with Ctrl-Z; what follows it is not part of the file.
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == kCtrlZ || bytes[end - 1] == '\n' ||
                       bytes[end - 1] == '\r' || bytes[end - 1] == ' '))
        --end;
    Reader reader;
    reader.file.image.assign(kCodeImageSize, 0xFF);
    std::size_t start = 0, number = 1;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && bytes[stop] != '\n') ++stop;
        if (stop - start > kMaxMotLineChars + 1 ||
            (stop - start == kMaxMotLineChars + 1 && bytes[stop - 1] != '\r'))
            return MotRefusal{number, "longer than 520 characters"};
        Line line{number, std::string(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(stop))};
        if (auto refusal = reader.take(line)) return *refusal;
        start = stop + 1;
        ++number;
    }
    return std::move(reader.file);
}

std::string writeMotFile(const std::uint8_t* code, std::size_t count) {
    std::string out;
    out.reserve(count / kMotLineBytes * kMotLineChars);
    for (std::size_t at = 0; at + kMotLineBytes <= count; at += kMotLineBytes) {
        const auto high = static_cast<std::uint8_t>(at >> 8);
        const auto low = static_cast<std::uint8_t>(at & 0xFF);
        unsigned sum = 0x13u + high + low;
        out += "S113";
        out += hexPair(high);
        out += hexPair(low);
        for (std::size_t i = 0; i < kMotLineBytes; ++i) {
            out += hexPair(code[at + i]);
            sum += code[at + i];
        }
        out += hexPair(static_cast<std::uint8_t>(~sum & 0xFF));
        out += '\n';
    }
    return out;
}

}  // namespace tw::compact
