#pragma once

#include <memory>
#include <vector>

#include "view/family_page.h"

namespace tw {

// The page of tab `tab` (0 to 6) on its own, as the window holds it.
std::unique_ptr<FamilyPage> createFamilyPage(Env& env, int tab);

// One page per tab, in tab order.
std::vector<std::unique_ptr<FamilyPage>> createFamilyPages(Env& env);

}  // namespace tw
