#pragma once

#include <string>
#include <string_view>

#include "plugin/store/json_value.h"
#include "plugin/store/personality.h"

namespace tw {

// Version of the personality's JSON form; a file of another version is refused.
inline constexpr int kPersonalityJsonFormat = 1;

// Member names of "sets", by set type.
inline constexpr const char* kSetJsonKeys[kSetTypeCount] = {
    "trunked", "conventional", "groups", "specialCalls", "telpageGroups", "telpageSpecialCalls"};

// The personality as JSON: format, name, type letter, band limits, systems, sets by kind
// in set-number order, options by class. Reading it back gives an equal personality.
json::Value personalityToJsonValue(const CPersonality& personality);
std::string personalityToJson(const CPersonality& personality);

// Strict: unknown members, wrong kinds of value, numbers out of range, duplicate set names,
// system and group names a reference cannot tell apart and references to missing sets,
// systems, groups or channels are errors naming their JSON Pointer. `out` is touched only
// on success.
bool personalityFromJsonValue(const json::Value& value, CPersonality& out, std::string& error);
bool personalityFromJson(std::string_view text, CPersonality& out, std::string& error);

// The cross-reference checks of reading: names unique where a reference must find one
// object, every named set, system, group and channel present. The error names the JSON
// Pointer of the offending member.
bool checkPersonalityReferences(const CPersonality& personality, std::string& error);

}  // namespace tw
