// Personality JSON from anywhere: reading either refuses with an error that says where
// (and leaves the personality alone), or gives a personality whose saved text reads back
// to the same personality and the same text. A pointer edit on top follows the same rule.
//
// Input: the JSON text; after a NUL byte, optionally "POINTER=VALUE" for one `set`.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plugin/store/json_value.h"
#include "plugin/store/personality_json.h"

namespace {

void require(bool property) {
    if (!property) __builtin_trap();
}

// A refusal names a place: a JSON Pointer, or a line and column of the text.
bool saysWhere(const std::string& error) {
    return !error.empty() && (error[0] == '/' || error.rfind("line ", 0) == 0);
}

void readBack(const tw::CPersonality& p) {
    const std::string text = tw::personalityToJson(p);
    tw::CPersonality again;
    std::string error;
    require(tw::personalityFromJson(text, again, error));
    require(tw::firstDifference(p, again).empty());
    require(tw::personalityToJson(again) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string text = input.substr(0, nul);
    tw::CPersonality p('Q', "UNTOUCHED");
    std::string error;
    if (!tw::personalityFromJson(text, p, error)) {
        require(saysWhere(error));
        require(p.GetName() == "UNTOUCHED" && p.radioType == 'Q');
        return 0;
    }
    readBack(p);
    if (nul == std::string::npos) return 0;
    const std::string edit = input.substr(nul + 1);
    const std::size_t eq = edit.find('=');
    if (eq == std::string::npos) return 0;
    const auto value = tw::json::parse(edit.substr(eq + 1), error);
    if (!value) return 0;
    tw::json::Value doc = tw::personalityToJsonValue(p);
    tw::CPersonality edited;
    if (tw::json::setAt(doc, edit.substr(0, eq), *value, error) &&
        tw::personalityFromJsonValue(doc, edited, error))
        readBack(edited);
    else
        require(!error.empty());
    return 0;
}
