// MARTEN 60P page (tab 5): tracking read (also Get Status) and the write with its read-back.
#include "compact_rows.h"

namespace tw::faults {

TW_FAULT_ROWS(marten60p) {
    return compactRows("marten60p", 5);
}

}  // namespace tw::faults
