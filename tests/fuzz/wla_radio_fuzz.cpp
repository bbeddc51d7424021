// Every radio operation of the wla rows (tracking read and write, reflash, code read-back)
// against a radio answering with the fuzzer's bytes.
#include <cstdlib>

#include "support/radio_target.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (tw::fuzz::writeRadioSeeds("wla")) std::exit(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::runRadioOperation("wla", data, size);
    return 0;
}
