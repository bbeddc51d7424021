#include "families/blt/blt_report.h"

#include <algorithm>

#include "families/blt/radio_types.h"
#include "families/blt/tracking_layout.h"
#include "util/text.h"

namespace tw::blt {

std::vector<std::string> statusReportLines(const std::string& text) {
    std::vector<std::string> lines;
    const std::string indent(10, ' ');
    std::size_t from = 0;
    while (from < text.size()) {
        auto end = text.find("\r\n", from);
        if (end == std::string::npos) end = text.size();
        lines.push_back(indent + text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

std::vector<std::string> bltReportLines(const RadioData& d) {
    std::vector<std::string> lines;
    const auto& s = d.serialNumber;
    lines.push_back(format("%s %02hX  %02hX  %02hX  %02hX  %02hX  %02hX", "SERIAL NUMBER:",
                           static_cast<unsigned short>(s[0]), static_cast<unsigned short>(s[1]),
                           static_cast<unsigned short>(s[2]), static_cast<unsigned short>(s[3]),
                           static_cast<unsigned short>(s[4]), static_cast<unsigned short>(s[5])));
    lines.emplace_back();

    // The feature length comes from a radio or a file; never past the block.
    const std::size_t length = std::min<std::size_t>(d.featureLength(), kFeatureBlockSize);
    std::string features;
    for (std::size_t i = 10; i < length; ++i) features += format("%02X", d.featureBlock[i]);
    lines.push_back(format("%s %s", "FEATURE DATA:", features.c_str()));
    lines.emplace_back();

    if (const auto* layout = trackingLayout(d.trackingVersion)) {
        lines.push_back(format("%s %5hu %s",
                               "RADIO TYPE NUMBER:", static_cast<unsigned short>(d.radioTypeCode),
                               RadioTypeName(d.radioTypeCode)));
        lines.emplace_back();
        for (const auto& item : layout->items) lines.push_back(renderItem(item, d));
    }

    lines.push_back(" ");
    lines.push_back(" ");
    lines.push_back("----------------------- Radio Status Information -----------------------");
    lines.push_back(" ");
    for (auto& l : statusReportLines(d.statusText)) lines.push_back(std::move(l));
    return lines;
}

}  // namespace tw::blt
