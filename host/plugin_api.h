#pragma once

#include <string>

#include "tunewright_plugin.h"

namespace tw::host {

// The plug-in's twelve exports, resolved by name from the loaded library.
struct PluginApi {
    decltype(&::AddTabs) addTabs = nullptr;
    decltype(&::AddDlgs) addDlgs = nullptr;
    decltype(&::IsTransForID) isTransForId = nullptr;
    decltype(&::GetControlTrap) getControlTrap = nullptr;
    decltype(&::InitControl) initControl = nullptr;
    decltype(&::ValidateField) validateField = nullptr;
    decltype(&::GetRange) getRange = nullptr;
    decltype(&::ValidateConvChannel) validateConvChannel = nullptr;
    decltype(&::ReadPers) readPers = nullptr;
    decltype(&::WritePers) writePers = nullptr;
    decltype(&::TwSetHost) setHost = nullptr;
    decltype(&::TwLastOutcome) lastOutcome = nullptr;
};

// Loads the library and resolves every export. On failure `why` names the library's
// loader error or the first missing export, and the library is not kept.
class LoadedPlugin {
  public:
    LoadedPlugin() = default;
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool load(const std::string& path, std::string& why);
    const PluginApi& api() const { return api_; }

  private:
    void* handle_ = nullptr;
    PluginApi api_;
};

// The plug-in beside the running program.
std::string defaultPluginPath();

}  // namespace tw::host
