#include "view/family_page.h"

namespace tw {

FileChoice FamilyPage::dataFileChoice(const char* filter, const char* extension, bool save) const {
    FileChoice c;
    c.filter = filter;
    c.defaultExtension = extension;
    c.initialDirectory =
        env_.profile.getString(profile_keys::kDirectorySection, profile_keys::kTrack, "");
    c.overwritePrompt = save;
    return c;
}

}  // namespace tw
