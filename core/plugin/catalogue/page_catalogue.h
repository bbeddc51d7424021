#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tw {

// The option pages the host shows for a personality, by tab, and how it treats their
// controls.

inline constexpr std::array<std::uint32_t, 3> kPageTabs{260, 264, 265};

struct PageEntry {
    const char* title;  // shown exactly, blanks included
    int dialog;
};

// The pages of a tab in the order the host lists them. The RCI pages belong to type "C"
// radios only; `storedLetter` is 0 while no radio type has been accepted.
std::vector<PageEntry> pagesOfTab(std::uint32_t tab, std::uint16_t storedLetter);

// Radio types the plug-in serves.
bool isServedRadioType(std::uint16_t letter);

// What the host does with a control.
inline constexpr std::uint32_t kTrapValidated = 1;
inline constexpr std::uint32_t kTrapValidatedInteger = 5;
inline constexpr std::uint32_t kTrapHostHandled = 0x20000000;

// The trap mask of a (dialog, control) pair: 0 for anything not listed.
std::uint32_t controlTrap(int dialog, int control, std::uint16_t storedLetter);

}  // namespace tw
