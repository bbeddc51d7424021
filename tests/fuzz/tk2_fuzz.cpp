// ".tk2" files through the HLN page's Read Tracking Data from Disk.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(1, tw::fuzz::DataFile::Tracking, false, data, size);
    return 0;
}
