// WLB page (tab 4): tracking read (also Get Status) and the write with its read-back.
#include "compact_rows.h"

namespace tw::faults {

TW_FAULT_ROWS(wlb) {
    return compactRows("wlb", 4);
}

}  // namespace tw::faults
