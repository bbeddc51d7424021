#pragma once

// A record's fixed bytes as a table of bit fields, read by the decoder and the encoder
// alike, so that a field's place is written down once.

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tw {

template <class T>
struct BitField {
    std::size_t byte = 0;
    int hi = 0, lo = 0;     // bits hi..lo of that byte, lo = 0 for the least significant
    bool wide = false;      // the next byte holds the value's low eight bits
    bool inverted = false;  // stored as the complement
    int scale = 1;          // stored value = (member + bias) / scale
    int bias = 0;
    int (*get)(const T&) = nullptr;
    void (*set)(T&, int) = nullptr;

    constexpr int width() const { return hi - lo + 1 + (wide ? 8 : 0); }
    constexpr unsigned mask() const { return (1u << width()) - 1; }
};

namespace layout {

template <class C, class M>
C classOf(M C::*);

// Element `Index` of an array member, or the member itself (Index < 0).
template <auto Member, int Index>
constexpr decltype(auto) access(auto& object) {
    if constexpr (Index < 0)
        return (object.*Member);
    else
        return ((object.*Member)[Index]);
}

template <auto Member, int Index>
int get(const decltype(classOf(Member))& object) {
    return static_cast<int>(access<Member, Index>(object));
}

template <auto Member, int Index>
void set(decltype(classOf(Member))& object, int value) {
    auto& field = access<Member, Index>(object);
    field = static_cast<std::remove_reference_t<decltype(field)>>(value);
}

}  // namespace layout

// The field of member `Member` (element `Index` of an array member) in bits hi..lo.
template <auto Member, int Index = -1>
constexpr auto bits(std::size_t byte, int hi, int lo) {
    using T = decltype(layout::classOf(Member));
    BitField<T> f;
    f.byte = byte;
    f.hi = hi;
    f.lo = lo;
    f.get = &layout::get<Member, Index>;
    f.set = &layout::set<Member, Index>;
    return f;
}
template <auto Member, int Index = -1>
constexpr auto bit(std::size_t byte, int n) {
    return bits<Member, Index>(byte, n, n);
}
template <class T>
constexpr BitField<T> inverted(BitField<T> f) {
    f.inverted = true;
    return f;
}
template <class T>
constexpr BitField<T> wide(BitField<T> f) {
    f.wide = true;
    return f;
}
template <class T>
constexpr BitField<T> scaled(BitField<T> f, int scale) {
    f.scale = scale;
    return f;
}
template <class T>
constexpr BitField<T> biased(BitField<T> f, int bias) {
    f.bias = bias;
    return f;
}

// The bits of one field as they lie in `bytes`.
template <class T>
unsigned storedValue(const BitField<T>& f, const std::uint8_t* bytes) {
    unsigned v = (bytes[f.byte] >> f.lo) & ((1u << (f.hi - f.lo + 1)) - 1);
    if (f.wide) v = v << 8 | bytes[f.byte + 1];
    return f.inverted ? v ^ f.mask() : v;
}

template <class T, std::size_t N>
void readFields(const std::array<BitField<T>, N>& fields, const std::uint8_t* bytes, T& out) {
    for (const auto& f : fields)
        f.set(out, static_cast<int>(storedValue(f, bytes)) * f.scale - f.bias);
}

// ORs every field into `bytes`; bits of a value beyond its field's width are dropped.
template <class T, std::size_t N>
void writeFields(const std::array<BitField<T>, N>& fields, const T& in, std::uint8_t* bytes) {
    for (const auto& f : fields) {
        unsigned v = static_cast<unsigned>((f.get(in) + f.bias) / f.scale) & f.mask();
        if (f.inverted) v ^= f.mask();
        if (f.wide) {
            bytes[f.byte] |= static_cast<std::uint8_t>((v >> 8) << f.lo);
            bytes[f.byte + 1] |= static_cast<std::uint8_t>(v & 0xFF);
        } else {
            bytes[f.byte] |= static_cast<std::uint8_t>(v << f.lo);
        }
    }
}

}  // namespace tw
