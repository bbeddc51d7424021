#pragma once

#include <cstdint>
#include <string>

#include "families/compact/compact_tables.h"
#include "link/port_session.h"
#include "view/env.h"
#include "view/shared_messages.h"

namespace tw::compact {

// The 1200-baud ASCII-hex link of WLB and MARTEN 60P radios for one operation. It opens on the
// port saved in the profile (these pages never apply the Comm Settings choice); the session
// closes it on every exit. It tells the technician nothing: the page says what went wrong.
//
//   wake      break of 30 ms, 0x55              -> ">"
//   "G2"      identify                          -> "21" (WLB) or "1D" (MARTEN 60P), version
//   "G4" count(2) address(4)  read a block      -> 2 * count hex digits
//   "G1" count(2) address(4)  write a block, then 2 * count hex digits, no answer
//   "G9"      reset, no answer
class HexLink {
  public:
    explicit HexLink(Env& env) : port_(env.link) {}
    HexLink(const HexLink&) = delete;
    HexLink& operator=(const HexLink&) = delete;

    // Why a connect failed; Silent when the radio did not wake or identify itself.
    enum class Fault { PortNotOpened, Silent, WrongRadioType };

    // Open, wake and identify; `version` receives the version text. The two differ only in
    // the identification they accept. On failure the link is left open for the page to
    // close once it has said why (fault()).
    bool WlbConnect(std::string& version);
    bool MartenConnect(std::string& version);
    // The one of the two that fits `model`.
    bool Connect(const CompactModel& model, std::string& version) {
        return &model == &marten60pModel() ? MartenConnect(version) : WlbConnect(version);
    }
    Fault fault() const { return fault_; }

    // Reads `count` bytes from `address`. An answer that is short or holds anything but
    // upper-case hex digits fails and leaves `dest` untouched.
    bool ReadHexBlock(std::uint8_t count, std::uint16_t address, std::uint8_t* dest);

    // Sends the write command, then each character of `data` on its own with 2 ms after it;
    // false when a send failed.
    bool WriteHexBlock(std::uint8_t count, std::uint16_t address, const std::string& data);

    // "G9"; false when it cannot be sent.
    bool sendReset();

    void close() { port_.close(); }
    bool isOpen() const { return port_.isOpen(); }

    static constexpr int kBaud = 1200;
    static constexpr int kBreakMs = 30;
    static constexpr int kCommandPauseMs = 50;  // before every block command, after "G2"
    static constexpr int kCharPauseMs = 2;      // the radio stores each character as it comes

  private:
    bool connect(const CompactModel& model, std::string& versionOut);
    bool send(const std::string& text) { return port_.write(text); }

    PortSession port_;
    Fault fault_ = Fault::Silent;
};

namespace messages {
using shared_text::kCouldNotInitialize;
using shared_text::kPortNotOpened;
using shared_text::kWrongRadioType;
inline constexpr const char* kCouldNotRead = "Could not read Tracking Data.";
inline constexpr const char* kCouldNotWrite = "Could not write Tracking Data.";
inline constexpr const char* kResetFailed = "Error Writing Reset Command";
using shared_text::kAllZero;
using shared_text::kCouldNotOpenFile;
using shared_text::kWrongFileSize;
}  // namespace messages

}  // namespace tw::compact
