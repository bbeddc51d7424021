#pragma once

#include <memory>
#include <string>

#include "families/blt/radio_backend.h"
#include "families/blt/radio_data.h"

namespace tw {
struct Env;
}

namespace tw::blt {

// The radio-connection object of the BLT page. It keeps the held data (public, as the page
// reads and writes its members) and runs the operations on it; what reaches a radio goes
// through the backend it was made with. Results: non-zero is success unless said.
class CRadioConn {
  public:
    CRadioConn(Env& env, RadioBackendFactory& factory);
    ~CRadioConn();
    CRadioConn(const CRadioConn&) = delete;
    CRadioConn& operator=(const CRadioConn&) = delete;

    RadioData data;

    // 1 ready for reading, -1 the port did not open, 0 or another value otherwise.
    int OpenRadioAndInit(int port);
    int ProcessCommand(ECommand command);
    // `path` of any length; the four numbers are passed on as given (all zero here).
    int ProcessCommand(ECommand command, const std::string& path, std::uint16_t a, std::uint32_t b,
                       std::uint32_t c, std::uint32_t d);
    int FillBltStatus(RadioStatus* status);
    int CalcBltHWLevel();
    int RadioStatusDlg();
    int SerialClose();
    int CloseRadio();
    bool IsConnected() const;
    void StatusOpen(const std::string& text);
    void StatusClose();

    // Whether a status read leaves its copies in the history: a write's does not, since its
    // copy is the one kept before the write.
    bool keepReads = true;
    // The radio's name in the history: its serial number, or its type without one.
    std::string historyRadio() const;

  private:
    int heldCommand(ECommand command, const std::string& path);
    void keepStatusRead();

    Env& env_;
    std::unique_ptr<RadioBackend> backend_;
};

// Whether an eCommand works on the held data only (never reaching a radio).
bool isHeldDataCommand(ECommand command);

}  // namespace tw::blt
