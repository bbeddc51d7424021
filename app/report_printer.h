#pragma once

#include <string>
#include <vector>

class QPaintDevice;
class QPainter;

namespace tw::app {

// Prints the maintenance report: "Courier New" 10 pt, a banner with the page number and a
// rule on every page, the lines laid out by the core's report layout. Works on any paint
// device (a printer, the preview's printer, an image in tests); returns the pages printed.
int printReport(QPaintDevice& device, const std::vector<std::string>& lines);

}  // namespace tw::app
