#pragma once

#include <string>

namespace tw {

// The "novac4.ini" profile file. It behaves like the platform's profile functions: the file
// is read anew on every call, section and key names match without regard to case, a missing
// file or key yields the default, and writing one key keeps every other line of the file.
class Profile {
  public:
    explicit Profile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    std::string getString(const std::string& section, const std::string& key,
                          const std::string& fallback = "") const;
    // Leading decimal number of the value (with sign); a value that is no number gives 0.
    int getInt(const std::string& section, const std::string& key, int fallback) const;
    // False when the file could not be written.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);

    // Where the file lives when nobody names it: $XDG_CONFIG_HOME/tunewright/novac4.ini,
    // or ~/.config/tunewright/novac4.ini.
    static std::string defaultPath();

  private:
    std::string path_;
};

// Section and key names used by the program.
namespace profile_keys {
inline constexpr const char* kCommSection = "Comm Settings";
inline constexpr const char* kPortNumber = "Port Number";
inline constexpr const char* kDirectorySection = "Directory Settings";
inline constexpr const char* kTrack = "Track";
inline constexpr const char* kTranslators = "Translators";
inline constexpr const char* kRadioSection = "Radio Settings";
inline constexpr const char* kRadioType = "Radio Type";
inline constexpr const char* kPortDevicesSection = "Port Devices";
}  // namespace profile_keys

}  // namespace tw
