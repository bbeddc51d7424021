#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tw::sim {

// Line faults applied to what the radio sends, so the program's failure paths can be driven.
struct Faults {
    bool silent = false;       // the radio never answers
    bool wrongAnswer = false;  // every answer byte is off by one bit
    int dropEvery = 0;         // drop every n-th byte (0: never)
    int garbleEvery = 0;       // invert every n-th byte (0: never)
    long hangupAfter = -1;     // stop answering after this many bytes (-1: never)
    long dropAt = -1;          // drop only the byte with this index (-1: none)
    long garbleAt = -1;        // invert only the byte with this index (-1: none)
    // The line keeps delivering noise (one byte a millisecond) whenever the radio is quiet.
    bool chatter = false;
    static constexpr std::uint8_t kNoise = 0xA5;
    // The technician presses Cancel: `cancel` is called once, right after the radio has sent
    // its byte with index cancelAt, or has received the PC's byte with index
    // cancelAtReceived (-1: never). The line itself stays sound.
    long cancelAt = -1;
    long cancelAtReceived = -1;
    std::function<void()> cancel;

    // Parses "silent", "wrong", "chatter", "drop=N", "garble=N", "hangup=N", "drop@N",
    // "garble@N";
    // false for anything else.
    bool parse(const std::string& text);

    // What reaches the PC for the radio's n-th byte (counted from 0), or nothing.
    std::optional<std::uint8_t> apply(std::uint8_t byte, long index) const;
};

}  // namespace tw::sim
