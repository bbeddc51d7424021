#pragma once

#include <vector>

#include "testtune/launcher.h"
#include "view/family_page.h"

namespace tw::testtune {

// The front ends' steps inside an open test sheet, after "alignment": "page N", "press ID",
// "arrow ID +N|-N", "scroll ID up|down|focus", "wait MS", "finish", "cancel". Service work
// only; each fails when no sheet is open or the sheet refuses it.
std::vector<PageAction> SheetActions(AlignmentBench& bench);

// One step's work, for callers without PageAction.
bool GoToPage(CTestSheet& sheet, int number);  // pages count from 1
bool PressInSheet(CTestSheet& sheet, int id);  // the open test dialog first
bool StepArrow(CTestSheet& sheet, int id, int steps);
bool ScrollInSheet(CTestSheet& sheet, int id, const std::string& how);

}  // namespace tw::testtune
