#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::fuzz {

enum class DataFile { Tracking, Features };

// Loads the bytes as the page's tracking or feature file (its Read from Disk) and checks: a
// refused file says so and leaves every text of the page as it was; an accepted file that
// the page saves again loads back to the same texts (and, with `sameBytes`, is saved as the
// very bytes it was loaded from).
void checkFileLoad(int tab, DataFile which, bool sameBytes, const std::uint8_t* data,
                   std::size_t size);

}  // namespace tw::fuzz
