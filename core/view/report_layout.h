#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tw {

// Page arithmetic of the printed maintenance report, in printer device units. The painting
// itself belongs to the front end; everything that decides where a line lands lives here.
struct ReportLayout {
    unsigned lineHeight = 1;    // text height plus external leading of the report font
    unsigned linesPerPage = 1;  // body lines on one page
    unsigned pageCount = 1;     // at least one: an empty report still prints its banner
    int leftMargin = 0;         // x of every line: centres the 81-character ruler
    int textWidth = 0;          // width of the ruler in the report font
    std::size_t lineCount = 0;
};

// The 81-character ruler whose width sets the text width.
inline constexpr const char* kReportRuler =
    "---------1---------2---------3---------4---------5---------6---------7---------8-";
inline constexpr const char* kReportFontFace = "Courier New";
inline constexpr int kReportFontPoints = 10;

// Lays out `lineCount` lines on pages of the given printable size.
ReportLayout layoutReport(std::size_t lineCount, int printableWidth, int printableHeight,
                          int lineHeight, int textWidth);

// "****************   TUNEWRIGHT REPORT   ****************      Page 3"
std::string reportBanner(unsigned page);

// Top of the banner text and y of the rule of every page.
inline int bannerTop(const ReportLayout& l) {
    return static_cast<int>(2 * l.lineHeight);
}
inline int ruleY(const ReportLayout& l) {
    return static_cast<int>(3 * l.lineHeight / 2);
}

// One body line placed on a page: its index in the report and the top of its text.
struct PlacedLine {
    std::size_t index;
    int top;
};

// The body lines of page `page` (from 1); empty for a page past the end or an empty report.
std::vector<PlacedLine> pageBody(const ReportLayout& l, unsigned page);

}  // namespace tw
