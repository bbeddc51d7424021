#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// Read access to a personality image, bounded by the radio's image size (never by the
// buffer the image happens to sit in). Every accessor gives nothing when any byte it
// needs lies at or past the limit; a malformed offset or count can therefore never reach
// outside the image. Multi-byte values are big-endian.
class ByteView {
  public:
    ByteView(const std::uint8_t* data, std::size_t limit) : data_(data), limit_(limit) {}
    std::size_t limit() const { return limit_; }
    bool has(std::size_t at, std::size_t count) const {
        return at <= limit_ && count <= limit_ - at;
    }

    std::optional<std::uint8_t> u8(std::size_t at) const {
        if (!has(at, 1)) return std::nullopt;
        return data_[at];
    }
    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (!has(at, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(data_[at] << 8 | data_[at + 1]);
    }
    // Bits hi..lo of one byte, lo = 0 for the least significant bit.
    std::optional<int> bits(std::size_t at, int hi, int lo) const {
        auto b = u8(at);
        if (!b) return std::nullopt;
        return (*b >> lo) & ((1 << (hi - lo + 1)) - 1);
    }
    std::optional<bool> bit(std::size_t at, int n) const {
        auto b = u8(at);
        if (!b) return std::nullopt;
        return ((*b >> n) & 1) != 0;
    }
    // Nibble `index` of the bytes from `at`, high nibble first.
    std::optional<int> nibble(std::size_t at, std::size_t index) const {
        auto b = u8(at + index / 2);
        if (!b) return std::nullopt;
        return index % 2 == 0 ? *b >> 4 : *b & 15;
    }
    // `count` raw bytes as characters.
    std::optional<std::string> text(std::size_t at, std::size_t count) const {
        if (!has(at, count)) return std::nullopt;
        return std::string(reinterpret_cast<const char*>(data_ + at), count);
    }
    const std::uint8_t* data() const { return data_; }

  private:
    const std::uint8_t* data_;
    std::size_t limit_;
};

// A read cursor inside one section: reads past the section's end fail as well.
class SectionReader {
  public:
    SectionReader(const ByteView& view, std::size_t start, std::size_t end)
        : view_(view), pos_(start), end_(end < view.limit() ? end : view.limit()) {}
    std::size_t pos() const { return pos_; }
    std::size_t end() const { return end_; }
    bool skip(std::size_t n) {
        if (!fits(n)) return false;
        pos_ += n;
        return true;
    }
    bool fits(std::size_t n) const { return pos_ <= end_ && n <= end_ - pos_; }
    std::optional<std::uint8_t> u8() {
        if (!fits(1)) return std::nullopt;
        return view_.u8(pos_++);
    }
    std::optional<std::uint16_t> u16() {
        if (!fits(2)) return std::nullopt;
        auto v = view_.u16(pos_);
        pos_ += 2;
        return v;
    }
    std::optional<std::string> text(std::size_t n) {
        if (!fits(n)) return std::nullopt;
        auto t = view_.text(pos_, n);
        pos_ += n;
        return t;
    }

  private:
    const ByteView& view_;
    std::size_t pos_;
    std::size_t end_;
};

// Write access bounded by the image size. Writes past the limit are dropped but still
// move the position, so the caller can tell how large the whole image would have been;
// nothing is ever stored outside the limit.
class ImageWriter {
  public:
    ImageWriter(std::uint8_t* data, std::size_t limit) : data_(data), limit_(limit) {}
    std::size_t pos() const { return pos_; }
    std::size_t limit() const { return limit_; }
    bool overflowed() const { return pos_ > limit_; }
    void u8(unsigned value) {
        if (pos_ < limit_) data_[pos_] = static_cast<std::uint8_t>(value);
        ++pos_;
    }
    void u16(unsigned value) {
        u8(value >> 8);
        u8(value & 0xFF);
    }
    void bytes(const std::uint8_t* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) u8(p[i]);
    }
    void zeros(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) u8(0);
    }
    // A name in exactly `room` bytes, blank-padded.
    void name(const std::string& text, std::size_t room) {
        for (std::size_t i = 0; i < room; ++i)
            u8(i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ');
    }
    // Changes a byte already written (ignored outside the limit).
    void patch(std::size_t at, unsigned value) {
        if (at < limit_) data_[at] = static_cast<std::uint8_t>(value);
    }
    void patch16(std::size_t at, unsigned value) {
        patch(at, value >> 8);
        patch(at + 1, value & 0xFF);
    }
    std::uint8_t at(std::size_t i) const { return i < limit_ ? data_[i] : 0; }

  private:
    std::uint8_t* data_;
    std::size_t limit_;
    std::size_t pos_ = 0;
};

}  // namespace tw
