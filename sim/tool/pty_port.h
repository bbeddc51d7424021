#pragma once

#include <string>
#include <vector>

namespace tw::sim {

// The radio's end of a pseudo-terminal. The program under test opens the slave path as its
// serial port and closes it after every operation. The simulator keeps a slave descriptor of
// its own open the whole time: the master then never reports a hang-up between operations,
// bytes written while nobody listens stay in the slave's queue until they are flushed, and
// the line settings survive from one open to the next.
//
// A pseudo-terminal tells its master nothing about opens, so they are watched on the slave's
// inode (inotify open/close events); see SimLoop for what an open means to the radio.
class PtyPort {
  public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Creates the pair in raw mode on both sides; false with `error` set when it cannot.
    bool open(std::string& error);

    const std::string& slavePath() const { return slavePath_; }
    int master() const { return master_; }
    // Readable when the slave was opened or closed by somebody else; -1 when opens cannot be
    // watched on this system.
    int watch() const { return watch_; }

    // Pending opens (+1) and closes (-1) of the slave by other programs, in order.
    std::vector<int> drainWatch();

    // Drops whatever the PC has not read yet (bytes meant for an earlier session).
    void flushToPc();
    // Back to raw 8N1 with exclusive use lifted, for the next program that opens the slave.
    void restoreLine();

  private:
    int master_ = -1;
    int slave_ = -1;
    int watch_ = -1;
    std::string slavePath_;
};

}  // namespace tw::sim
