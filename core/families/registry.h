#pragma once

#include <memory>
#include <vector>

#include "view/family_page.h"

namespace tw {

// One page per tab, in tab order.
std::vector<std::unique_ptr<FamilyPage>> createFamilyPages(Env& env);

}  // namespace tw
