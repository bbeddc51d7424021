// ".tk5" files through the WLB page's Read from Disk: a file of the right size loads and
// is saved again as the very same bytes; any other is refused and changes nothing.
#include "support/file_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tw::fuzz::checkFileLoad(4, tw::fuzz::DataFile::Tracking, true, data, size);
    return 0;
}
