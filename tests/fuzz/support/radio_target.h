#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw::fuzz {

// Runs one radio operation of the family's fault-matrix rows against a radio that answers
// with the fuzzer's bytes: the first byte picks the row, the rest is the radio's script.
// Every property of the matrix's general rule must hold, whatever the answers.
void runRadioOperation(const std::string& family, const std::uint8_t* data, std::size_t size);

// With TW_FUZZ_SEEDS set to a folder, writes one seed per row there (the simulated radio's
// own answers, recorded) and returns true.
bool writeRadioSeeds(const std::string& family);

}  // namespace tw::fuzz
