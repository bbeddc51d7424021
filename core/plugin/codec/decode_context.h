#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "families/hln/radio_identity.h"
#include "plugin/codec/byte_view.h"
#include "plugin/codec/channel_freq.h"
#include "plugin/codec/image_format.h"
#include "plugin/store/personality.h"

namespace tw {

// Where one section lies: from its start to the next section's start (or the end of the
// data), absolute positions in the image.
struct SectionSpan {
    std::size_t start = 0, end = 0;
};

// What the first pass learns: every section, the start of every record and set, and the
// number of sets of each kind the systems refer to.
struct ImageMap {
    std::size_t p = 0;  // start of the personality block
    int highestSection = -1;
    std::array<std::optional<SectionSpan>, 256> sections{};
    std::vector<std::size_t> systems;  // record starts
    std::vector<int> systemTypes;
    int groupSetCount = 0, trunkSetCount = 0, convSetCount = 0, spCallSetCount = 0;
    int tpgGroupSetCount = 0, tpgSpCallSetCount = 0;
    std::vector<std::size_t> groupSets, trunkSets, convSets, spCallSets, tpgGroupSets,
        tpgSpCallSets;
    bool has(int section) const { return section >= 0 && section < 256 && sections[section]; }
};

// Everything both passes share. The first failure is kept; a decode with a failure changes
// nothing in the host's personality.
struct DecodeContext {
    DecodeContext(const std::uint8_t* data, std::size_t limit, const hln::RadioIdentity& id)
        : view(data, limit), identity(id) {}
    ByteView view;
    const hln::RadioIdentity& identity;
    ImageMap map;
    std::size_t nameLength = 0;
    char type = 'C';
    FreqContext freq;
    bool longConv = true;
    std::uint8_t versionMajor = 0, versionMinor = 0;
    std::string error;

    bool fail(const std::string& why) {
        if (error.empty()) error = why;
        return false;
    }
    SectionReader reader(int section) const {
        const SectionSpan s = *map.sections[section];
        return SectionReader(view, s.start, s.end);
    }
    // A stored name (L bytes), or the generated one when the radio stores none.
    std::optional<std::string> name(SectionReader& r, const char* format, int number) const;
};

// Target of the second pass: a fresh personality, plus the host's for options whose
// fields the image does not carry (they start from the host's copy).
struct DecodeTarget {
    CPersonality& fresh;
    const CPersonality& host;
    template <class T>
    T& option() {
        if (T* t = fresh.GetOption<T>()) return *t;
        const T* old = host.GetOption<T>();
        auto made = old ? std::make_unique<T>(*old) : std::make_unique<T>();
        T& ref = *made;
        fresh.PutOption(std::move(made));
        return ref;
    }
};

// First pass.
bool walkImage(DecodeContext& c);
// Second pass, by section group.
bool decodeHeader(DecodeContext& c, DecodeTarget& t);
bool decodeGroupAndTrunkSets(DecodeContext& c, DecodeTarget& t);
bool decodeConvSets(DecodeContext& c, DecodeTarget& t);
bool decodeCallSets(DecodeContext& c, DecodeTarget& t);
bool decodeTables(DecodeContext& c, DecodeTarget& t);
bool decodeSystems(DecodeContext& c, DecodeTarget& t);

}  // namespace tw

namespace tw {
// Moves the reader over one special call set; false when it runs past its section.
bool skipSpCallSet(DecodeContext& c, SectionReader& r);
}  // namespace tw

namespace tw {
// Why a reference to group `number` (1-based) of the set could not find its group again, to
// follow the group's number in a refusal; "" when it could. A personality refers to groups
// by name, so the name must be the set's only one, both as read and as a write leaves it:
// the encoder writes an empty slot's name blank.
std::string sharedGroupName(const CGroupSet& set, int number, std::size_t nameLength);
}  // namespace tw

namespace tw {
// Fills TELPAGE code slots from entry `index` of the code table (if the image has one).
void applyTpgCodeEntry(DecodeContext& c, int index, std::array<std::uint16_t, 4>& codeSlots);
}  // namespace tw
