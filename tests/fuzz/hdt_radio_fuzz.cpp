// Connect, resync and the sheet's launch of the hdt rows against a radio answering with the
// fuzzer's bytes.
#include <cstdlib>

#include "support/radio_target.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (tw::fuzz::writeRadioSeeds("hdt")) std::exit(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::runRadioOperation("hdt", data, size);
    return 0;
}
