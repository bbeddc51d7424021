#pragma once

#include "view/family_page.h"

namespace tw {

// A family whose page is not built yet: it offers the operations and does nothing.
class PlaceholderPage : public FamilyPage {
  public:
    using FamilyPage::FamilyPage;
    bool ReadTrackingFromRadio() override { return true; }
    bool ReadTrackingFromDisk() override { return true; }
    bool WriteTrackingToRadio() override { return true; }
    bool WriteTrackingToDisk() override { return true; }
};

}  // namespace tw
