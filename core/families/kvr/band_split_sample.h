#pragma once

#include <cstdint>
#include <vector>

namespace tw::kvr {

// The band-split file of the simulated bench. A bench without radios has no "rfdata.bin" of
// its own, yet the Radio Type dialog is only worth trying with band splits to choose from.
// The file is built rather than shipped, so it is found wherever the program runs from and
// cannot drift from the band table:
//   offset 0 .. 863   zero, nothing the dialog reads
//   offset 864 ..     16 records of 24 bytes; every record number that stands for a
//                     band-split code is present with that code's edges from the band table
//                     (present flag 1, unused word 0); the other records are all zero
// Real radios never see it: their band splits come from the Translators folder as always.
std::vector<std::uint8_t> sampleBandSplitFile();

}  // namespace tw::kvr
