// Every radio operation of the hln rows against a radio answering with the fuzzer's bytes.
#include <cstdlib>

#include "support/radio_target.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (tw::fuzz::writeRadioSeeds("hln")) std::exit(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::runRadioOperation("hln", data, size);
    return 0;
}
