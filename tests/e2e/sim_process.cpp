#include "e2e/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace tw::e2e {

namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

int millisUntil(SteadyTime deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Spawns argv with stdin from /dev/null and stdout/stderr into new pipes (-1: inherit).
pid_t spawn(const std::vector<std::string>& argv, int* outRead, int* errRead) {
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (outRead && ::pipe2(outPipe, O_CLOEXEC) != 0) return -1;
    if (errRead && ::pipe2(errPipe, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (outRead) posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    if (errRead) posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (outRead) {
        ::close(outPipe[1]);
        *outRead = outPipe[0];
    }
    if (errRead) {
        ::close(errPipe[1]);
        *errRead = errPipe[0];
    }
    return pid;
}

int exitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits for the child until the deadline, then kills it.
int reap(pid_t pid, SteadyTime deadline) {
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return exitStatus(status);
        if (r < 0) return -1;
        if (millisUntil(deadline) == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::poll(nullptr, 0, 10);
    }
}

}  // namespace

std::string simProgram() {
    return TW_SIM_PROGRAM;
}
std::string hostProgram() {
    return TW_HOST_PROGRAM;
}

std::string pstoreLibrary() {
    return TW_PSTORE_LIBRARY;
}

std::string cliProgram() {
    return TW_CLI_PROGRAM;
}

ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds) {
    return runProcess(argv, timeoutSeconds, Interrupt{});
}

ProcessResult runProcess(const std::vector<std::string>& argv, int timeoutSeconds,
                         const Interrupt& interrupt) {
    ProcessResult result;
    int fds[2] = {-1, -1};
    const pid_t pid = spawn(argv, &fds[0], &fds[1]);
    if (pid < 0) {
        result.err = "cannot start " + argv.front();
        for (int fd : fds)
            if (fd >= 0) ::close(fd);
        return result;
    }
    const SteadyTime deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    std::string* sinks[2] = {&result.out, &result.err};
    const SteadyTime started = std::chrono::steady_clock::now();
    std::vector<SteadyTime> signals;
    if (interrupt.signal != 0) {
        signals.push_back(started + std::chrono::milliseconds(interrupt.afterMs));
        if (interrupt.againAfterMs > 0)
            signals.push_back(signals.back() + std::chrono::milliseconds(interrupt.againAfterMs));
    }
    // Watching a file means looking at it every few milliseconds until the text is there.
    constexpr int kWatchMs = 5;
    bool watching = !interrupt.file.empty() && interrupt.signal != 0;
    while ((fds[0] >= 0 || fds[1] >= 0) && millisUntil(deadline) > 0) {
        int wait = millisUntil(deadline);
        if (watching) {
            std::ifstream in(interrupt.file, std::ios::binary);
            const std::string seen{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
            if (seen.find(interrupt.text) != std::string::npos) {
                watching = false;
                const SteadyTime now =
                    std::chrono::steady_clock::now() + std::chrono::milliseconds(interrupt.afterMs);
                signals = {now};
                if (interrupt.againAfterMs > 0)
                    signals.push_back(now + std::chrono::milliseconds(interrupt.againAfterMs));
            } else {
                wait = std::min(wait, kWatchMs);
                signals.clear();
            }
        }
        if (!signals.empty()) {
            if (millisUntil(signals.front()) <= 0) {
                ::kill(pid, interrupt.signal);
                signals.erase(signals.begin());
                continue;
            }
            wait = std::min(wait, millisUntil(signals.front()));
        }
        pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (::poll(p, 2, wait) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(fds[i]);
                fds[i] = -1;
            }
        }
    }
    for (int fd : fds)
        if (fd >= 0) ::close(fd);
    result.exitCode = reap(pid, deadline);
    return result;
}

ProcessResult runCli(const std::string& device, const std::string& ini,
                     const std::vector<std::string>& args, int timeoutSeconds) {
    std::vector<std::string> argv = {cliProgram(), "--device", device, "--ini", ini, "--json"};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, timeoutSeconds);
}

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start(const std::string& family, const std::vector<std::string>& args) {
    stop();
    error_.clear();
    device_.clear();
    std::vector<std::string> argv = {simProgram()};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(family);
    pid_ = spawn(argv, &stdout_, nullptr);
    if (pid_ < 0) {
        error_ = "cannot start " + simProgram();
        return false;
    }
    // The first line is the device path; nothing else comes on standard output.
    const SteadyTime deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string line;
    while (line.find('\n') == std::string::npos && millisUntil(deadline) > 0) {
        pollfd p{stdout_, POLLIN, 0};
        if (::poll(&p, 1, millisUntil(deadline)) <= 0) continue;
        char buffer[256];
        const ssize_t n = ::read(stdout_, buffer, sizeof buffer);
        if (n <= 0) break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    const auto eol = line.find('\n');
    if (eol == std::string::npos || eol == 0) {
        error_ = "tunewright-sim named no device (exit status " + std::to_string(stop()) + ")";
        return false;
    }
    device_ = line.substr(0, eol);
    return true;
}

int SimProcess::stop() {
    if (pid_ <= 0) return -1;
    ::kill(pid_, SIGTERM);
    const int status = reap(pid_, std::chrono::steady_clock::now() + std::chrono::seconds(5));
    pid_ = -1;
    if (stdout_ >= 0) ::close(stdout_);
    stdout_ = -1;
    return status;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tw-e2e-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    const std::string p = file(name);
    std::ofstream(p, std::ios::binary) << content;
    return p;
}

}  // namespace tw::e2e
