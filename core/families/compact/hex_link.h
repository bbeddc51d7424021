#pragma once

#include <cstdint>
#include <string>

#include "families/compact/compact_tables.h"
#include "view/env.h"

namespace tw::compact {

// The 1200-baud ASCII-hex link of WLB and MARTEN 60P radios for one operation. It opens on the
// port saved in the profile (these pages never apply the Comm Settings choice), shares the
// operation's status window, and is closed by every exit.
//
//   wake      break of 30 ms, 0x55              -> ">"
//   "G2"      identify                          -> "21" (WLB) or "1D" (MARTEN 60P), version
//   "G4" count(2) address(4)  read a block      -> 2 * count hex digits
//   "G1" count(2) address(4)  write a block, then 2 * count hex digits, no answer
//   "G9"      reset, no answer
class HexLink {
  public:
    HexLink(Env& env, StatusWindow& status) : env_(env), status_(status) {}
    ~HexLink() { close(); }
    HexLink(const HexLink&) = delete;
    HexLink& operator=(const HexLink&) = delete;

    // Open, wake and identify; `version` receives the version text. The two differ only in
    // the identification they accept. A radio that does not wake fails without a message.
    bool WlbConnect(std::string& version);
    bool MartenConnect(std::string& version);
    // The one of the two that fits `model`.
    bool Connect(const CompactModel& model, std::string& version) {
        return connect(model, version);
    }

    // Reads `count` bytes from `address`. An answer that is short or holds anything but
    // upper-case hex digits fails: the port and the status window are closed, "Could not read
    // Tracking Data." is shown, `dest` is untouched.
    bool ReadHexBlock(std::uint8_t count, std::uint16_t address, std::uint8_t* dest);
    // The same read without a word to the technician and with the link left open; the write
    // uses it to read back what it wrote.
    bool readBlockQuietly(std::uint8_t count, std::uint16_t address, std::uint8_t* dest);

    // Sends the write command, then each character of `data` on its own with 2 ms after it.
    // A failed send closes the port and the status window and shows "Could not write
    // Tracking Data.".
    bool WriteHexBlock(std::uint8_t count, std::uint16_t address, const std::string& data);

    // "G9"; "Error Writing Reset Command" when it cannot be sent.
    bool sendReset();

    // Closes the port and the status window, then shows `message`.
    void fail(const char* message);

    void close();
    bool isOpen() const { return handle_ != kNoLink; }

    static constexpr int kBaud = 1200;
    static constexpr int kBreakMs = 30;
    static constexpr int kCommandPauseMs = 50;  // before every block command, after "G2"
    static constexpr int kCharPauseMs = 2;      // the radio stores each character as it comes

  private:
    bool connect(const CompactModel& model, std::string& versionOut);
    bool send(const std::string& text);

    Env& env_;
    StatusWindow& status_;
    SlkHandle handle_ = kNoLink;
};

// "G" op count(2) address(4): the command text of a block read ('4') or write ('1').
std::string hexBlockCommand(char op, std::uint8_t count, std::uint16_t address);

namespace messages {
inline constexpr const char* kPortNotOpened = "Comm Port not opened.";
inline constexpr const char* kWrongRadioType = "Wrong radio type number";
inline constexpr const char* kCouldNotInitialize =
    "Could not initialize radio. Check connection and confirm no other application is using "
    "comm port. ";
inline constexpr const char* kCouldNotRead = "Could not read Tracking Data.";
inline constexpr const char* kCouldNotWrite = "Could not write Tracking Data.";
inline constexpr const char* kResetFailed = "Error Writing Reset Command";
inline constexpr const char* kAllZero = "Tracking Data is set to 0.\n Proceed?";
inline constexpr const char* kCouldNotOpenFile = "Could not open file.";
inline constexpr const char* kWrongFileSize = "Wrong size of the file.";
}  // namespace messages

}  // namespace tw::compact
