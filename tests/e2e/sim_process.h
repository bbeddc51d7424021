#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tw::e2e {

// What a finished program left: its exit status (-1 when killed or not started) and output.
struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end with standard input from /dev/null, capturing both outputs. A
// program still running after `timeoutSeconds` is killed.
ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds = 120);

// A signal sent to a running program `afterMs` after its start, or after `file` came to hold
// `text` when one is named (and once more `againAfterMs` later when that is not 0), as a
// technician's Ctrl-C would come.
struct Interrupt {
    int signal = 0;
    int afterMs = 0;
    int againAfterMs = 0;
    std::string file;
    std::string text;
};
ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds,
                         const Interrupt& interrupt);

// Paths of the built programs.
std::string simProgram();
std::string cliProgram();
std::string hostProgram();
std::string pstoreLibrary();

// tunewright-cli --device DEVICE --ini INI --json ARGS... (ARGS: options, family, steps).
ProcessResult runCli(const std::string& device, const std::string& ini,
                     const std::vector<std::string>& args, int timeoutSeconds = 120);

// One tunewright-sim process: a simulated radio on a pseudo-terminal for the length of a test.
//   SimProcess sim;
//   ASSERT_TRUE(sim.start("kvr", {"--no-pace", "--option", "type=C"})) << sim.error();
//   auto r = runCli(sim.devicePath(), ini, {"kvr", "get-status"});
class SimProcess {
  public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Starts the simulator with `args` (its options) and `family`, and waits until it names its
    // device. False with error() set when it does not come up within a few seconds.
    bool start(const std::string& family, const std::vector<std::string>& args = {});

    const std::string& devicePath() const { return device_; }
    const std::string& error() const { return error_; }
    bool running() const { return pid_ > 0; }

    // Asks the simulator to exit (SIGTERM) and waits for it; its exit status, -1 if it had to
    // be killed or was not running.
    int stop();

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    std::string device_;
    std::string error_;
};

// A fresh directory under the system's temporary folder, removed with its content at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes `content` to file `name` and returns its path.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::string path_;
};

}  // namespace tw::e2e
