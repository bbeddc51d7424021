#pragma once

#include <vector>

#include "testtune/launcher.h"
#include "view/family_page.h"

namespace tw::testtune {

// The front ends' steps inside an open test sheet, after "alignment": "page N", "press ID",
// "arrow ID +N|-N", "scroll ID up|down|focus", "wait MS", "finish", "cancel". Service work
// only; each fails when no sheet is open or the sheet refuses it.
std::vector<PageAction> sheetActions(AlignmentBench& bench);

// One step's work, for callers without PageAction.
bool goToPage(CTestSheet& sheet, int number);  // pages count from 1
bool pressInSheet(CTestSheet& sheet, int id);  // the open test dialog first
bool stepArrow(CTestSheet& sheet, int id, int steps);
bool scrollInSheet(CTestSheet& sheet, int id, const std::string& how);

}  // namespace tw::testtune
