#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::sim {

// A WLA radio. After power-on it waits for the wake byte 0x55 and answers ">" and its mode:
// "F" (flash mode) when DTR was low at the wake, else "G" (programming mode).
//   programming mode: "GE" identification; "GC" count(2) addr(4) reads tracking memory;
//                     "GD" count(2) addr(4) and the bytes writes it, answering "OK"
//   flash mode:       "FE" identification; "FC" erases 0x2000 up, answering "OK" when done;
//                     "FD" 0x00 0x41 addr(4) 64 bytes CRC writes a block ("OK", "NG" on a bad
//                     CRC); "FA" sends 64000 code bytes, then after a pause their CRC-8
// The tracking record lives at 0x50 of its own memory; the boot area 0x0000-0x1FFF is never
// erased. An erased radio whose code is not fully written again answers only in flash mode.
//
// Options: mode=flash|programming (forces the mode: a pseudo-terminal has no DTR),
// type=N (radio type number, 30), config=N (configuration byte, 5), idlen=N (identification
// bytes sent, 20), erase-ms=N (erase time, 3000).
// Faults, once each unless said: erase=silent (no answer to the erase), ng=N (block N
// answers "NG"), mute=N (block N is not answered), ok-extra=erase|N (the erase or block N
// answers "OK" with more after it), code-crc=bad and code-short=N (every code read: a wrong
// check byte; only N bytes and no check byte), refuse-write (every tracking write answers
// "NO" and stores nothing), stuck=N (tracking byte N never changes).
class WlaRadioModel : public RadioModel {
  public:
    explicit WlaRadioModel(const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    bool midCommand() const override { return !command_.empty(); }
    void onDtr(bool on, Millis now) override;

    static constexpr std::size_t kCodeSize = 0x10000;
    static constexpr std::uint32_t kBootEnd = 0x2000;
    static constexpr std::uint32_t kTrackingAddress = 0x50;
    static constexpr std::size_t kRecordSize = 21;
    static constexpr std::size_t kBlockCount = 862;

    std::vector<std::uint8_t>& code() { return code_; }
    std::array<std::uint8_t, 256>& eeprom() { return eeprom_; }
    bool erased() const { return erased_; }
    int blocksWritten() const { return blocksWritten_; }
    int erases() const { return erases_; }

  private:
    enum class State { Asleep, Programming, Flash };
    void runProgramming(Millis now);
    void runFlash(Millis now);
    void answerBlock(Millis now);
    std::vector<std::uint8_t> identity() const;
    std::uint32_t commandAddress() const;
    std::size_t commandCount() const;

    std::vector<std::uint8_t> code_;
    std::array<std::uint8_t, 256> eeprom_{};
    std::string forcedMode_;
    int type_;
    int config_;
    std::size_t idLength_;
    int eraseMs_;
    bool eraseSilent_;
    int ngBlock_;
    int muteBlock_;
    bool okExtraErase_;
    int okExtraBlock_;
    bool codeCrcBad_;
    int codeShort_;
    bool refuseWrite_;
    int stuckByte_;

    State state_ = State::Asleep;
    bool dtrOn_ = true;
    bool erased_ = false;
    std::vector<std::uint8_t> command_;
    std::vector<bool> written_;
    int blocksWritten_ = 0;
    int erases_ = 0;
};

}  // namespace tw::sim
