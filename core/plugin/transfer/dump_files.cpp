#include "plugin/transfer/dump_files.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "ui/ui.h"
#include "util/file_io.h"

namespace tw {

std::string defaultDumpFolder() {
    namespace fs = std::filesystem;
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state) return (fs::path(state) / "tunewright").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : ".") / ".local" / "state" / "tunewright").string();
}

bool writeDump(const std::string& folder, const char* name, const std::uint8_t* bytes,
               std::size_t count, Ui& ui) {
    namespace fs = std::filesystem;
    const fs::path dir = folder.empty() ? fs::path(defaultDumpFolder()) : fs::path(folder);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        ui.detail(std::string(name) + " not written: cannot make " + dir.string() + " (" +
                  ec.message() + ")");
        return false;
    }
    const std::string path = (dir / name).string();
    if (!saveFileAtomically(path, bytes, count)) {
        ui.detail(std::string(name) + " not written: cannot write " + path);
        return false;
    }
    ui.detail(std::string(name) + " written to " + path);
    return true;
}

}  // namespace tw
