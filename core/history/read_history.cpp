#include "history/read_history.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "util/file_io.h"
#include "view/env.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxFolderName = 64;
// Far more copies than one second can hold; past it something is wrong with the folder.
constexpr int kMaxSameSecond = 1000;

std::string utcStamp(std::time_t t) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H-%M-%SZ", &tm);
    return text;
}

// Claims a new file name in the folder: the stamp, then the stamp with "-2", "-3", ...
// Creating it exclusively means two reads, even from two programs, never share a name.
std::string claimName(const fs::path& folder, const std::string& stamp, const std::string& mark,
                      const std::string& extension) {
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        const std::string name =
            stamp + (n == 1 ? "" : "-" + std::to_string(n)) + mark + "." + extension;
        const std::string path = (folder / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

// "2026-12-07T01-58-03Z-2" -> "2026-12-07 01:58:03"; empty when the name is no stamp.
std::string timeOfName(const std::string& stem) {
    if (stem.size() < 20 || stem[10] != 'T' || stem[19] != 'Z') return {};
    std::string t = stem.substr(0, 19);
    t[10] = ' ';
    t[13] = ':';
    t[16] = ':';
    return t;
}

constexpr const char* kBeforeWriteMark = "-before-write";

// Writes one copy; empty when kept, else why not.
std::string keepCopy(Env& env, const std::string& family, const std::string& radio,
                     const std::string& mark, const std::string& extension,
                     const std::vector<std::uint8_t>& fileBytes, fs::path& folder) {
    folder =
        fs::path(historyFolder(env.app)) / historyFolderName(family) / historyFolderName(radio);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return ec.message();
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::string path = claimName(folder, utcStamp(now), mark, historyFolderName(extension));
    if (path.empty()) return "no new file name could be created";
    if (!saveFileAtomically(path, fileBytes)) {
        std::remove(path.c_str());
        return "the file could not be written";
    }
    return {};
}

// The place of a copy among those of the same second: 1 for the first, 2 for "-2", ...
int sequenceOfName(const std::string& stem) {
    if (stem.size() < 22 || stem[20] != '-') return 1;
    int n = 0;
    for (std::size_t i = 21; i < stem.size() && i < 26; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(stem[i]))) return i == 21 ? 1 : n;
        n = n * 10 + (stem[i] - '0');
    }
    return n;
}

// The copy a file in a radio's folder is, read from its name; nothing when the name is no
// copy's.
std::optional<KeptRead> copyOfFile(const fs::path& file) {
    const std::string stem = file.stem().string();
    const std::string time = timeOfName(stem);
    if (time.empty()) return std::nullopt;
    const std::string mark = kBeforeWriteMark;
    const bool before = stem.size() > mark.size() &&
                        stem.compare(stem.size() - mark.size(), mark.size(), mark) == 0;
    return KeptRead{file.string(), file.parent_path().filename().string(), time, before};
}

}  // namespace

std::string historyFolder(const AppState& app) {
    fs::path base;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && home[0] ? home : ".") / ".local" / "share";
    }
    fs::path folder = base / "tunewright" / "history";
    if (app.simulated) folder /= "simulated";
    return folder.string();
}

std::string historyFolderName(const std::string& radio) {
    std::string out;
    for (unsigned char c : radio) {
        if (out.size() >= kMaxFolderName) break;
        const bool plain = std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == ' ';
        out += plain ? static_cast<char>(c) : '_';
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    // A leading dot would hide the folder, and "." or ".." would leave the history.
    for (char& c : out) {
        if (c != '.' && c != ' ') break;
        c = '_';
    }
    return out.empty() ? "unknown" : out;
}

void keepRadioRead(Env& env, const std::string& family, const std::string& radio,
                   const std::string& extension, const std::vector<std::uint8_t>& fileBytes) {
    env.app.radioContact.radio = radio;
    ++env.app.radioContact.reads;
    if (!env.app.keepHistory) return;
    fs::path folder;
    const std::string why = keepCopy(env, family, radio, "", extension, fileBytes, folder);
    if (!why.empty())
        env.ui.detail("No history copy of this read kept in " + folder.string() + ": " + why);
}

bool keepBeforeWrite(Env& env, const std::string& family, const std::string& radio,
                     const std::string& extension, const HeldCopy& held) {
    return keepBeforeWrite(env, family, radio, std::vector<HeldFile>{{extension, held}});
}

bool keepBeforeWrite(Env& env, const std::string& family, const std::string& radio,
                     const std::vector<HeldFile>& files) {
    env.app.radioContact.radio = radio;
    ++env.app.radioContact.writes;
    if (!env.app.keepHistory) {
        if (!env.app.toldNoCopies)
            env.ui.detail(
                "This run keeps no history (--no-history): radios are written without "
                "a copy of what they held.");
        env.app.toldNoCopies = true;
        return true;
    }
    std::string problem;
    for (const auto& file : files) {
        if (!file.held) {
            if (problem.empty()) problem = history_text::kNotRead;
            continue;
        }
        fs::path folder;
        const std::string why =
            keepCopy(env, family, radio, kBeforeWriteMark, file.extension, *file.held, folder);
        if (!why.empty() && problem.empty())
            problem = "The copy of what the radio holds could not be kept in " + folder.string() +
                      ": " + why + ".";
    }
    if (problem.empty()) return true;
    if (env.app.writeWithoutCopy) {
        env.ui.detail(problem + " Writing without it (--no-copy-before-write).");
        return true;
    }
    return env.ui.askRisky(problem + history_text::kWriteWithoutCopy);
}

std::optional<KeptRead> historyCopyAt(const AppState& app, const std::string& family,
                                      const std::string& path) {
    std::error_code ec;
    const fs::path file = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec) return std::nullopt;
    const fs::path familyFolder =
        fs::weakly_canonical(fs::path(historyFolder(app)) / historyFolderName(family), ec);
    if (ec || file.parent_path().parent_path() != familyFolder) return std::nullopt;
    return copyOfFile(file);
}

bool confirmOtherRadio(Env& env, const std::optional<KeptRead>& source,
                       const std::string& benchSerial) {
    if (!source || benchSerial.empty() || source->radio == historyFolderName(benchSerial))
        return true;
    const std::string text = "This data was read from radio " + source->radio + " on " +
                             source->time + " UTC; the radio on the bench is " + benchSerial +
                             ". Write it anyway?";
    if (env.app.allowOtherRadio) {
        env.ui.detail(text + " Written (--allow-other-radio).");
        return true;
    }
    return env.ui.askRisky(text);
}

std::vector<KeptRead> keptRadioReads(const AppState& app, const std::string& family) {
    std::vector<KeptRead> out;
    const fs::path folder = fs::path(historyFolder(app)) / historyFolderName(family);
    std::error_code ec;
    for (const auto& radio : fs::directory_iterator(folder, ec)) {
        if (!radio.is_directory(ec)) continue;
        std::error_code inner;
        for (const auto& file : fs::directory_iterator(radio.path(), inner)) {
            if (!file.is_regular_file(inner)) continue;
            if (auto copy = copyOfFile(file.path())) out.push_back(std::move(*copy));
        }
    }
    // Within one second the "-2", "-3", ... copies came after the first, whatever their names
    // sort as.
    auto sequence = [](const KeptRead& k) {
        return sequenceOfName(fs::path(k.path).stem().string());
    };
    std::sort(out.begin(), out.end(), [&](const KeptRead& a, const KeptRead& b) {
        if (a.time != b.time) return a.time < b.time;
        if (sequence(a) != sequence(b)) return sequence(a) < sequence(b);
        return a.path < b.path;
    });
    return out;
}

}  // namespace tw
