// Linked into every test program: the history of radio reads (and anything else kept under
// $XDG_DATA_HOME) goes to a fresh temporary folder for the run, never to the user's own, and
// the programs a test starts inherit it. The folder is removed when the run ends.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {

struct IsolatedDataHome {
    std::string path;
    IsolatedDataHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw_data_XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            path = pattern;
            ::setenv("XDG_DATA_HOME", path.c_str(), 1);
        } else {
            // Nowhere private to put it: keep no history rather than touch the user's.
            ::setenv("XDG_DATA_HOME", "/nonexistent/tunewright-test", 1);
        }
    }
    ~IsolatedDataHome() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

const IsolatedDataHome isolatedDataHome;

}  // namespace
