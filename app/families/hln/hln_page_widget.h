#pragma once

#include "app/page_widget.h"

namespace tw::app {

// The HLN tab: radio status, feature data and the tracking grid with its talk-around group.
// Every edit box is named by its control id; the page widget moves the texts.
PageWidget* createHlnPageWidget(FamilyPage& page, QWidget* parent);

}  // namespace tw::app
