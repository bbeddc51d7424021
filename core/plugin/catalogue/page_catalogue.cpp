#include "plugin/catalogue/page_catalogue.h"

#include <algorithm>
#include <utility>

namespace tw {
namespace {

constexpr int kRciKeypad = 266, kRciSystems = 267;

constexpr PageEntry kOptionPages[] = {
    {"Alert Options", 181},
    {"External IO Options ", 177},
    {"Agency Data ", 188},
    {"Display Settings ", 189},
    {"DTMF Options", 192},
    {"NOVAC2 Custom Options", 264},
    {"General Options", 201},
    {"NAVLOC Options", 141},
    {"Keypad Options", 107},
    {"TRW Flex Keys Options", 209},
    {"Programmable Individual Call", 206},
    {"Programmable Phone Call ", 207},
    {"Clearvox Options", 195},
    {"Public Address Options", 179},
    {"Power UP Options", 196},
    {"RCI Keypad Options", kRciKeypad},
    {"RCI System/Groups", kRciSystems},
    {"Status Message Options ", 228},
    {"Supervisory Options", 197},
    {"Scratch Pad Options", 226},
    {"System/Group Options", 229},
    {"System Scan Options", 231},
    {"Timer Options", 198},
    {"Scan Options", 194},
    {"Type 61 Options", 183},
    {"Voice Seal Options", 190},
};
constexpr PageEntry kSetPages[] = {{"Special Call ", 173},
                                   {" Group Sets", 158},
                                   {"Trunked Frequency Set", 175},
                                   {"Conventional Frequency Set", 205},
                                   {"TELPAGE Special Call ", 174}};
constexpr PageEntry kSystemPages[] = {{"System ", 191}};

// Controls of one dialog: single ids and inclusive ranges.
struct IdList {
    std::vector<int> ids;
    std::vector<std::pair<int, int>> ranges = {};
    bool has(int c) const {
        return std::find(ids.begin(), ids.end(), c) != ids.end() ||
               std::any_of(ranges.begin(), ranges.end(),
                           [c](const auto& r) { return c >= r.first && c <= r.second; });
    }
};

struct TrapRow {
    int dialog;
    IdList validated, integer, hostHandled;
};

const TrapRow kTraps[] = {
    {107,
     {{1866}},
     {{}},
     {{150,  290,  313,  361,  379,  393,  404,  421,  427,  434,  1764, 1765,
       1767, 1771, 1775, 1778, 1781, 1784, 2047, 2057, 2068, 2079, 2085, 2093},
      {{1860, 1863}}}},
    {141, {{1197}}, {{}}, {{127, 185, 302, 349, 1191, 1194, 1203, 1206, 1977}}},
    {158, {{}}, {{}}, {{287, 312, 1445, 1448}}},
    {175, {{}}, {{}}, {{400, 426, 1833, 1835, 1987, 2002, 2016}}},
    {177,
     {{}},
     {{}},
     {{478,  481,  484,  487,  490,  493,  494,  496,  498,  500,  502,  503,
       592,  607,  623,  636,  649,  659,  667,  673,  729,  731,  762,  765,
       1571, 1575, 1579, 1583, 1602, 1606, 1610, 1614, 1769, 1773, 1968, 2005,
       2028, 2042, 2053, 2062, 2072, 2082, 2089, 2095, 2099, 2105, 2109, 2112},
      {{505, 512}, {514, 574}}}},
    {179, {{}}, {{1690}}, {{}}},
    {181, {{}}, {{}}, {{1719, 1720, 1990, 2139, 2141}}},
    {183, {{}}, {{}}, {{1988, 2001}}},
    {189, {{}}, {{}}, {{165, 1727, 1728, 2066, 2077, 2083}}},
    {190, {{}}, {{}}, {{353, 435, 468, 1748, 1756, 1791, 1801, 1802}}},
    {191,
     {{}},
     {{}},
     {{310, 336, 376, 446, 450, 452, 1149, 1155, 1160, 1166, 1172, 1176, 1180, 2693}}},
    {192, {{1808, 1810, 1812, 1814, 1816, 1818, 1975}}, {{}}, {{346, 474, 1806, 1819, 1820}}},
    {194,
     {{1077, 1893}},
     {{}},
     {{288, 483, 486, 489, 501, 504, 1083, 1416, 1423, 1895, 1899, 1904, 1906, 1908, 1971, 2006,
       2043}}},
    {195, {{1909, 1910}}, {{}}, {{}}},
    {196,
     {{}},
     {{1916}},
     {{329, 351, 370, 386, 1787, 1790, 1793, 1918, 2023, 2036, 2086, 2091, 2097, 2102, 2107}}},
    {197, {{1930}}, {{}}, {{187, 304, 1931, 1933, 2013, 2025, 2038, 2049, 2059, 2070}}},
    {198, {{1932, 1942, 1943, 1944}}, {{}}, {{384, 396, 1938, 1940}}},
    {201, {{}}, {{1922}}, {{369, 385, 769, 1919, 1921, 1958, 1995, 2021, 2034}}},
    {203, {{}}, {{}}, {{255, 311, 420, 1167, 1886, 1889}}},
    {204, {{}}, {{}}, {{422, 1101, 1104, 1106, 2050}}},
    {205,
     {{1829, 2143, 2144, 2145, 2146}},
     {{}},
     {{308, 432, 443, 1826, 1841, 1843, 2126, 2130, 2132, 2138, 2140, 2149}}},
    {224, {{}}, {{1189, 1192}}, {{}}},
    {226, {{}}, {{1887}}, {{}}},
    {231, {{1867}}, {{}}, {{}}},
};

// Keypad controls the host handles only on the radios that have them.
bool keypadExtraControl(int control) {
    return control == 414 || control == 1858 || control == 1859;
}
bool hasKeypadExtras(std::uint16_t letter) {
    return letter == 'T' || letter == 'A' || letter == 'J' || letter == 'U' || letter == 'M';
}

}  // namespace

std::vector<PageEntry> pagesOfTab(std::uint32_t tab, std::uint16_t storedLetter) {
    std::vector<PageEntry> out;
    if (tab == 260) {
        for (const PageEntry& p : kOptionPages)
            if ((p.dialog != kRciKeypad && p.dialog != kRciSystems) || storedLetter == 'C')
                out.push_back(p);
    } else if (tab == 264) {
        out.assign(std::begin(kSetPages), std::end(kSetPages));
    } else if (tab == 265) {
        out.assign(std::begin(kSystemPages), std::end(kSystemPages));
    }
    return out;
}

bool isServedRadioType(std::uint16_t letter) {
    switch (letter) {
        case 'A':
        case 'B':
        case 'C':
        case 'J':
        case 'M':
        case 'R':
        case 'T':
        case 'U':
        case 'V':
            return true;
        default:
            return false;
    }
}

std::uint32_t controlTrap(int dialog, int control, std::uint16_t storedLetter) {
    if (dialog < 107 || dialog > 231) return 0;
    if (dialog == 107 && keypadExtraControl(control))
        return hasKeypadExtras(storedLetter) ? kTrapHostHandled : 0;
    for (const TrapRow& row : kTraps) {
        if (row.dialog != dialog) continue;
        if (row.validated.has(control)) return kTrapValidated;
        if (row.integer.has(control)) return kTrapValidatedInteger;
        if (row.hostHandled.has(control)) return kTrapHostHandled;
        return 0;
    }
    return 0;
}

}  // namespace tw
