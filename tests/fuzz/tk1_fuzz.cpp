// ".tk1" files through the KVR page's Read from Disk.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(0, tw::fuzz::DataFile::Tracking, false, data, size);
    return 0;
}
