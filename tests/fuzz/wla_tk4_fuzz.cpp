// ".tk4" files through the WLA page's Read from Disk: only 21 bytes load, and a record saved
// again is the file.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(3, tw::fuzz::DataFile::Tracking, true, data, size);
    return 0;
}
