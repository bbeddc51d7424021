// ".fea" files through the HLN page's Read Feature Data from Disk.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(1, tw::fuzz::DataFile::Features, false, data, size);
    return 0;
}
