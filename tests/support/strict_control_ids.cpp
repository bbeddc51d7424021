// Linked into every test program: a control id the program names but no page added throws, as
// in a debug build, rather than being ignored as a release build does.
#include "view/controls.h"

namespace {

const bool strictIds = [] {
    tw::Controls::setStrictIds(true);
    return true;
}();

}  // namespace
