// ".tk7" files through the MARTEN 30 page's Read from Disk: an image saved again is the file.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(6, tw::fuzz::DataFile::Tracking, true, data, size);
    return 0;
}
