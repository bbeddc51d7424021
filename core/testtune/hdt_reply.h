#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw::testtune {

// Readers of the interpreter's replies. A reply is searched as text for its keys and markers;
// a field is taken only when the reply holds all of it, so a garbled, cut or foreign reply
// gives nothing (a failed read) instead of a value made of whatever lies around the key.

bool replyHas(std::string_view reply, std::string_view marker);
inline bool replyFails(std::string_view reply) {
    return replyHas(reply, "FAIL");
}
// The interpreter's prompt: a radio in test mode answers a bare carriage return with it.
inline bool replyHasPrompt(std::string_view reply) {
    return replyHas(reply, "*");
}

// The number in the `width` characters right after `key` ("BATT=" 3, "VOL=" 3, "GRP=" 2,
// "RSSI=" 3): decimal digits up to the first other character. Nothing when the key is missing,
// the field is cut short, or it starts with no digit.
std::optional<int> keyedValue(std::string_view reply, std::string_view key, std::size_t width);

// The three characters of the reference oscillator DAC, 7 characters after the start of
// "PASS" in a "cmd 9" reply.
std::optional<std::string> dacText(std::string_view reply);

struct CodeVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};
// "db 2005 2006": two hexadecimal pairs, 2 and 5 characters after the first ":".
std::optional<CodeVersion> codeVersion(std::string_view reply);

// "db 20:0E 20:0E" and "db 20:37 20:37": the two characters 2 after the last ":", as text.
std::optional<std::string> memoryByteField(std::string_view reply);

// One event of the keypad stream: a press of `key`, or the radio ending the test.
struct KeyEvent {
    bool pressed = false;  // first character "1"
    char key = 0;
    bool ended = false;  // "\n\r*" in the event, or "*" first
};
// Nothing for an event shorter than two characters that does not end the test.
std::optional<KeyEvent> keyEvent(std::string_view reply);

}  // namespace tw::testtune
