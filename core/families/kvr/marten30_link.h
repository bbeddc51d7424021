#pragma once

#include <optional>
#include <string>

#include "link/port_session.h"
#include "view/env.h"
#include "view/shared_messages.h"

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
// never applies the Comm Settings choice); the session closes it on every exit. It tells the
// technician nothing: the page says what a fault means.
class Marten30Link {
  public:
    explicit Marten30Link(Env& env) : port_(env.link) {}
    Marten30Link(const Marten30Link&) = delete;
    Marten30Link& operator=(const Marten30Link&) = delete;

    // False when the port cannot be opened.
    bool open();

    // Why a radio was not taken; Silent when it did not answer as a radio does at all.
    enum class Fault { Silent, NotProgrammingMode, WrongRadioType, NoFlashCode, InvalidBandSplit };
    struct Identification {
        std::optional<Marten30Identity> identity;
        Fault fault = Fault::Silent;  // when there is no identity
        // The identity names no country; told before any fault that follows from it.
        bool unknownCountry = false;
    };
    // Checks over the open link that a MARTEN 30 in programming mode answers, and who it is.
    Identification identify();

    // One 16-byte block: its 32 characters and the prompt after them. False when fewer than
    // 32 characters came or the command could not be sent; `chars` then holds what came
    // (empty when the radio said nothing at all).
    bool readBlock(std::uint16_t address, std::string& chars, int wait);

    enum class WriteResult { Written, SendFailed, NotVerified };
    // Sends the block's 32 characters one by one, then reads the block back to compare.
    WriteResult writeBlock(std::uint16_t address, const std::string& chars);

    void close() { port_.close(); }
    bool isOpen() const { return port_.isOpen(); }

    static constexpr int kBaud = 9600;

  private:
    bool send(const std::string& text) { return port_.write(text); }
    int readChar();  // -1 when none came

    PortSession port_;
};

// What the technician is told of a fault; nothing for a radio that did not answer.
const char* faultMessage(Marten30Link::Fault fault);

namespace messages {
using shared_text::kPortNotOpened;
inline constexpr const char* kNotProgrammingMode = "Error: Radio not in Programming Mode";
using shared_text::kWrongRadioType;
inline constexpr const char* kNoFlashCode = "Radio Flash Code not present";
inline constexpr const char* kInvalidCountry = "Invalid Country Information";
using shared_text::kInvalidBandSplit;
}  // namespace messages

}  // namespace tw::kvr
