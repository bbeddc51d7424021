#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "families/blt/radio_backend.h"
#include "sim/radio_model.h"

namespace tw {
class FamilyPage;
}

namespace tw::sim {

// A simulated BLT-family radio behind the connection library, living for the whole run, and
// the desktop frequency-select board next to it. It records every call that reaches it.
//
// Options (key=value):
//   type=P           radio type letter, or its code as a number (default P, Lyra)
//   memory=8         memory size code (units of 64 K)
//   hwlevel=4        hardware level
//   serial=HEX12     six serial-number bytes
//   version=4        tracking version 1..7;  format=0 tracking format (100: three power rows)
//   dspselect=0      Lyra: 0 reads the ADI file, else the DSP file
//   open=1           what opening answers: 1 ready, -1 port failed, 0 or another value
//   fail=16,6,fill   eCommands that fail, and "fill" for the status record
//   recover-first=1  the radio answers only after a recovery (eCommand 42)
//   board-open-fails=N, board-write-fails=N   the board's first N opens or writes fail
//   status=normal    status text: normal, empty-lines or no-final-crlf
struct BltRadio {
    std::uint8_t type = 'P';
    std::int8_t memoryCode = 8;
    int hardwareLevel = 4;
    std::array<std::uint8_t, 6> serial = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    int trackingVersion = 4;
    int trackingFormat = 0;
    std::array<std::uint32_t, blt::kTrackingWords> tracking{};
    std::array<std::uint8_t, blt::kFeatureBlockSize> features{};
    std::array<std::uint32_t, 4> featureWords{};
    std::vector<std::uint8_t> code;
    std::string codeName = "RADIO.BIN";
    std::vector<std::uint8_t> adi, dsp;
    std::string adiDspName = "radio.dsp";
    int dspSelect = 0;
    std::string statusText;

    // Faults.
    int openResult = 1;
    std::set<int> failing;  // eCommand numbers
    bool statusRecordFails = false;
    bool needsRecovery = false;
    int boardOpenFailures = 0;
    int boardWriteFailures = 0;

    // What happened.
    std::vector<std::string> calls;  // "open", "16", "fill", "hw", "serial-close", "close", ...
    std::vector<int> openedPorts;    // the port asked for at each open
    std::vector<std::uint8_t> boardImage;
    int boardFlashes = 0;
    int jumps = 0;
    bool recovered = false;
};

// A radio set up from options; false with `why` on an option it cannot use.
bool configureBltRadio(const ModelOptions& options, BltRadio& radio, std::string& why);

// Connection objects that reach the radio.
class BltBackendFactory : public blt::RadioBackendFactory {
  public:
    explicit BltBackendFactory(std::shared_ptr<BltRadio> radio) : radio_(std::move(radio)) {}
    std::unique_ptr<blt::RadioBackend> create(Env& env) override;
    BltRadio& radio() { return *radio_; }

  private:
    std::shared_ptr<BltRadio> radio_;
};

// Puts a simulated radio behind the BLT page; false with `why` when the page is no BLT page
// or an option is wrong.
bool attachSimulatedBlt(FamilyPage& page, const ModelOptions& options, std::string& why);

}  // namespace tw::sim
