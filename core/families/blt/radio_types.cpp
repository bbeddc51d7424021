#include "families/blt/radio_types.h"

namespace tw::blt {

namespace {

struct TypeName {
    int code;
    const char* name;
};

// Several codes share a name: the later code of a pair is the same radio with newer code.
constexpr TypeName kNames[] = {
    {68, "BLT I"},
    {69, "BLT II"},
    {70, "BLT SCN"},
    {80, "Lyra"},
    {88, "Ocelot 80P System"},
    {94, "Ocelot 80P System"},
    {89, "Ocelot 80P Scan"},
    {95, "Ocelot 80P Scan"},
    {90, "NOVAC-60M"},
    {92, "Ocelot 85M"},
    {93, "Ocelot 85 Test Unit"},
    {96, "Facet HP/GVE"},
    {99, "Facet HP/GVE"},
    {97, "Facet HP/GVE Scan"},
    {100, "Facet HP/GVE Scan"},
    {101, "R310 System"},
    {102, "R310 Scan"},
    {103, "V310"},
    {104, "R310 Select"},
    {105, "R210 Select"},
    {106, "R210 Scan"},
    {107, "R210 System"},
};

}  // namespace

const char* RadioTypeName(int code) {
    for (const auto& t : kNames)
        if (t.code == code) return t.name;
    return "Unknown";
}

bool isEarlyBlt(int code) {
    return code == kTypeBltI || code == kTypeBltII || code == kTypeBltScn;
}

}  // namespace tw::blt
