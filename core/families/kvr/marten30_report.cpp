#include "families/kvr/marten30_report.h"

#include "util/text.h"

namespace tw::kvr {

namespace {

std::string powerRow(const Marten30Image& im, int row, const char* label) {
    const std::size_t at = m30::powerRowStart(row);
    return format("\t\t       %2s    %3d    %3d    %3d    %3d    %3d    %3d    %3d", label, im[at],
                  im[at + 1], im[at + 2], im[at + 3], im[at + 4], im[at + 5], im[at + 6]);
}

}  // namespace

std::vector<std::string> marten30ReportLines(const Marten30Image& im) {
    const std::uint8_t id = im[m30::kIdentityByte];
    std::vector<std::string> lines = {
        format("Radio Type    %s", radioTypeText(isPortable(im))),
        format("Band Split    %s", bandSplitText(bandSplitOf(id))),
        format("Country       %s        Serial No.      %s", countryText(countryOf(id)),
               serialNumberText(im).c_str()),
        "",
        format("Cloning Data:\t\t  %s", cloningText(im)),
        "",
        "  Squelch Settings:",
        "                                LOCAL                DISTANT",
        "                          Closing  Opening       Closing  Opening",
        format("          Wide Band        %3d      %3d           %3d      %3d", im[16], im[17],
               im[20], im[21]),
        format("          Narrow Band      %3d      %3d           %3d      %3d", im[18], im[19],
               im[22], im[23]),
        "",
        "",
        "  Transmitter Parameters:",
        format("\t\t      Tone TG                %3d     Digital TG         %3d", im[m30::kToneTg],
               im[m30::kDigitalTg]),
        format("        Peak Voice Deviation   %3d     Reference Osc      %3d", 0,
               im[m30::kReferenceOsc]),
        "",
        "",
        "  Tx Power/Tx Frequency Settings:",
        format("\t\t  Ref Osc Control  %3d", im[m30::kRefOscControl]),
        "",
        "        Watts",
    };
    const bool europe = isEurope(im);
    lines.push_back(powerRow(im, 1, europe ? "20" : "40"));
    if (europe) lines.push_back(powerRow(im, 2, "17"));
    lines.push_back(powerRow(im, 3, europe ? "13" : "30"));
    if (europe) lines.push_back(powerRow(im, 4, " 9"));
    lines.push_back(powerRow(im, 5, europe ? " 6" : "20"));
    return lines;
}

}  // namespace tw::kvr
