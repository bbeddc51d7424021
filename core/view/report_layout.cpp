#include "view/report_layout.h"

#include <algorithm>

#include "util/text.h"

namespace tw {

ReportLayout layoutReport(std::size_t lineCount, int printableWidth, int printableHeight,
                          int lineHeight, int textWidth) {
    ReportLayout l;
    l.lineCount = lineCount;
    // A font without height would divide by zero below; one device unit is the least a line
    // can take.
    l.lineHeight = static_cast<unsigned>(std::max(lineHeight, 1));
    l.textWidth = textWidth;
    // Seven line heights go to the top margin, banner, rule and bottom margin. A page too
    // small for even one body line still carries one, or the page count would divide by zero
    // (and the unsigned subtraction would wrap round to a huge page).
    const long body = static_cast<long>(printableHeight) - 7L * l.lineHeight;
    l.linesPerPage = body > 0 ? static_cast<unsigned>(body / l.lineHeight) : 0;
    if (l.linesPerPage == 0) l.linesPerPage = 1;
    const std::size_t pages = (lineCount + l.linesPerPage - 1) / l.linesPerPage;
    l.pageCount = static_cast<unsigned>(std::max<std::size_t>(pages, 1));
    l.leftMargin = (printableWidth - textWidth) / 2;
    return l;
}

std::string reportBanner(unsigned page) {
    return format("****************   TUNEWRIGHT REPORT   ****************      Page %u", page);
}

std::vector<PlacedLine> pageBody(const ReportLayout& l, unsigned page) {
    std::vector<PlacedLine> out;
    if (page < 1 || l.lineCount == 0) return out;
    const std::size_t first = static_cast<std::size_t>(page - 1) * l.linesPerPage;
    if (first >= l.lineCount) return out;
    const std::size_t last = std::min(l.lineCount - 1, first + l.linesPerPage - 1);
    for (std::size_t i = first; i <= last; ++i)
        out.push_back({i, static_cast<int>((i - first + 5) * l.lineHeight)});
    return out;
}

}  // namespace tw
