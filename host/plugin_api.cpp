#include "plugin_api.h"

#include <dlfcn.h>

#include <filesystem>

namespace tw::host {
namespace {

template <class F>
bool resolve(void* handle, const char* name, F& out, std::string& why) {
    out = reinterpret_cast<F>(dlsym(handle, name));
    if (!out) why = std::string("the plug-in has no export ") + name;
    return out != nullptr;
}

}  // namespace

LoadedPlugin::~LoadedPlugin() {
    if (handle_) dlclose(handle_);
}

bool LoadedPlugin::load(const std::string& path, std::string& why) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* e = dlerror();
        why = "cannot load the plug-in " + path + ": " + (e ? e : "unknown error");
        return false;
    }
    PluginApi& a = api_;
    const bool all = resolve(handle_, "AddTabs", a.addTabs, why) &&
                     resolve(handle_, "AddDlgs", a.addDlgs, why) &&
                     resolve(handle_, "IsTransForID", a.isTransForId, why) &&
                     resolve(handle_, "GetControlTrap", a.getControlTrap, why) &&
                     resolve(handle_, "InitControl", a.initControl, why) &&
                     resolve(handle_, "ValidateField", a.validateField, why) &&
                     resolve(handle_, "GetRange", a.getRange, why) &&
                     resolve(handle_, "ValidateConvChannel", a.validateConvChannel, why) &&
                     resolve(handle_, "ReadPers", a.readPers, why) &&
                     resolve(handle_, "WritePers", a.writePers, why) &&
                     resolve(handle_, "TwSetHost", a.setHost, why) &&
                     resolve(handle_, "TwLastOutcome", a.lastOutcome, why);
    if (!all) {
        why += " (" + path + ")";
        dlclose(handle_);
        handle_ = nullptr;
        api_ = {};
    }
    return all;
}

std::string defaultPluginPath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto dir = ec ? std::filesystem::path(".") : self.parent_path();
    const auto beside = dir / "libtunewright-plugin.so";
#ifdef TW_PLUGIN_RELDIR
    const auto installed = dir / TW_PLUGIN_RELDIR / "libtunewright-plugin.so";
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec))
        return installed.lexically_normal().string();
#endif
    return beside.string();
}

}  // namespace tw::host
