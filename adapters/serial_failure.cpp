#include "adapters/serial_failure.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

namespace tw {
namespace {

// The group that may use the device: its owning group unless that is root's.
std::string deviceGroup(const struct stat& st) {
    if (st.st_gid != 0)
        if (const group* g = ::getgrgid(st.st_gid)) return g->gr_name;
    return "dialout";
}

}  // namespace

bool isPseudoTerminal(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    const unsigned maj = major(st.st_rdev);
    return maj >= 136 && maj <= 143;  // Unix 98 pseudo-terminal slaves
}

std::string deviceAccessProblem(const std::string& path) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != EACCES) return kNoSuchDevice;
    if (exists && !S_ISCHR(st.st_mode)) return "not a serial port";
    if (!exists || ::access(path.c_str(), R_OK | W_OK) != 0) {
        const std::string g = exists ? deviceGroup(st) : "dialout";
        return "no permission to use the device; add your user to the " + g +
               " group (sudo usermod -aG " + g + " $USER) and log in again";
    }
    return {};
}

}  // namespace tw
