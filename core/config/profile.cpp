#include "config/profile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "util/file_io.h"
#include "util/text.h"

namespace tw {
namespace {

// Far larger than any profile a person writes; a bigger file is not read whole.
constexpr std::size_t kMaxProfileBytes = 1 << 20;
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

// The file's lines without their line ends. `tooLarge` tells that only the first
// kMaxProfileBytes were read.
std::vector<std::string> readLines(const std::string& path, bool* tooLarge = nullptr) {
    std::vector<std::string> lines;
    auto bytes = loadWholeFile(path, kMaxProfileBytes);
    if (!bytes) return lines;
    if (bytes->size() > kMaxProfileBytes) {
        if (tooLarge) *tooLarge = true;
        bytes->resize(kMaxProfileBytes);
    }
    std::string text(bytes->begin(), bytes->end());
    // Some editors start the file with a UTF-8 byte-order mark; it is no part of the first
    // section name.
    if (text.rfind(kUtf8Mark, 0) == 0) text.erase(0, 3);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// "[Name]" -> "Name"; anything else -> nullopt.
bool sectionName(const std::string& line, std::string& name) {
    std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = trim(t.substr(1, close - 1));
    return true;
}

// "key = value" -> key and value (trimmed); comment lines and lines without '=' are no entry.
bool entry(const std::string& line, std::string& key, std::string& value) {
    std::string t = trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return false;
    auto eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = trim(t.substr(0, eq));
    value = trim(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

}  // namespace

std::string Profile::getString(const std::string& section, const std::string& key,
                               const std::string& fallback) const {
    bool inSection = false;
    std::string name, k, v;
    for (const auto& line : readLines(path_)) {
        if (sectionName(line, name)) {
            inSection = equalsNoCase(name, section);
            continue;
        }
        if (inSection && entry(line, k, v) && equalsNoCase(k, key)) return v;
    }
    return fallback;
}

int Profile::getInt(const std::string& section, const std::string& key, int fallback) const {
    const std::string missing = "\x01";
    std::string v = getString(section, key, missing);
    if (v == missing) return fallback;
    return leadingInt(v);
}

bool Profile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    bool tooLarge = false;
    std::vector<std::string> lines = readLines(path_, &tooLarge);
    // Rewriting a file that was not read whole would lose its end.
    if (tooLarge) return false;
    bool inSection = false;
    int sectionEnd = -1;  // index after the last entry line of the section
    bool found = false;
    std::string name, k, v;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (sectionName(lines[i], name)) {
            if (inSection) break;
            inSection = equalsNoCase(name, section);
            if (inSection) sectionEnd = static_cast<int>(i) + 1;
            continue;
        }
        if (!inSection) continue;
        if (entry(lines[i], k, v) && equalsNoCase(k, key)) {
            lines[i] = k + "=" + value;
            found = true;
            break;
        }
        if (!trim(lines[i]).empty()) sectionEnd = static_cast<int>(i) + 1;
    }
    if (!found) {
        if (sectionEnd >= 0) {
            lines.insert(lines.begin() + sectionEnd, key + "=" + value);
        } else {
            lines.push_back("[" + section + "]");
            lines.push_back(key + "=" + value);
        }
    }

    std::error_code ec;
    auto parent = std::filesystem::path(path_).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    // Written beside the file and renamed over it, so a failed write never loses the settings.
    return saveFileAtomically(path_, text);
}

std::string Profile::defaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : ".") + "/.config";
    }
    return base + "/tunewright/novac4.ini";
}

}  // namespace tw
