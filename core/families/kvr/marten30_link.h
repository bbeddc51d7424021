#pragma once

#include <optional>
#include <string>

#include "view/env.h"

namespace tw::kvr {

// What a MARTEN 30 radio says about itself in answer to "G2" (eight characters):
//   "1", "B" portable / "C" mobile, radio code (2), identity byte (2 hex), flags byte (2 hex)
struct Marten30Identity {
    int radioId = 0;  // 27 portable, 28 mobile
    std::string radioCode;
    int country = 0;
    int bandSplit = 0;
    int flags = 0;  // the two low bits of the last byte; nothing uses them yet
};

// The link of one MARTEN 30 operation. It opens on the port saved in the profile (this page
// never applies the Comm Settings choice) and is closed by every exit.
class Marten30Link {
  public:
    explicit Marten30Link(Env& env) : env_(env) {}
    ~Marten30Link() { close(); }
    Marten30Link(const Marten30Link&) = delete;
    Marten30Link& operator=(const Marten30Link&) = delete;

    // Opens the link and checks that a MARTEN 30 in programming mode answers. Reports what
    // the radio got wrong; some failures (no answer at all) are silent. Closed on failure.
    std::optional<Marten30Identity> identify();

    // One 16-byte block: its 32 characters and the prompt after them. False when fewer than
    // 32 characters came or the command could not be sent; `chars` then holds what came
    // (empty when the radio said nothing at all).
    bool readBlock(std::uint16_t address, std::string& chars, int wait);

    enum class WriteResult { Written, SendFailed, NotVerified };
    // Sends the block's 32 characters one by one, then reads the block back to compare.
    WriteResult writeBlock(std::uint16_t address, const std::string& chars);

    void close();
    bool isOpen() const { return handle_ != kNoLink; }

    static constexpr int kBaud = 9600;

  private:
    bool send(const std::string& text);
    int readChar();  // -1 when none came

    Env& env_;
    SlkHandle handle_ = kNoLink;
};

namespace messages {
inline constexpr const char* kM30PortNotOpened = "Comm Port not opened.";
inline constexpr const char* kNotProgrammingMode = "Error: Radio not in Programming Mode";
inline constexpr const char* kWrongRadioType = "Wrong radio type number";
inline constexpr const char* kNoFlashCode = "Radio Flash Code not present";
inline constexpr const char* kInvalidCountry = "Invalid Country Information";
inline constexpr const char* kInvalidBandSplit = "Invalid band split data";
}  // namespace messages

}  // namespace tw::kvr
