#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "history/read_history.h"
#include "link/serial_link.h"
#include "sim/kvr/kvr_radio_model.h"
#include "sim/kvr/marten30_radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw::kvr::test {

// A scratch folder per fixture, removed afterwards.
struct TempDir {
    inline static int counter = 0;
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tw_kvr_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The newest copy a write kept of what the radio held; empty when there is none.
inline std::string lastBeforeWrite(const AppState& app, const std::string& family) {
    std::string path;
    for (const auto& k : keptRadioReads(app, family))
        if (k.beforeWrite) path = k.path;
    return path;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A bench with one simulated radio: scripted technician, virtual time, a profile file.
template <typename Model>
struct Bench {
    TempDir dir;
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile{dir.file("novac4.ini")};
    sim::SimDeviceFactory devices;
    SerialLink link{profile, devices, clock, ui};
    AppState app;
    Env env{ui, clock, profile, link, app};

    explicit Bench(const sim::ModelOptions& options = {})
        : Bench(std::make_unique<Model>(options)) {}
    explicit Bench(std::unique_ptr<Model> model) : devices(std::move(model), clock) {
        app.currentPort = 1;
        profile.writeString("Comm Settings", "Port Number", "1");
    }
    Model& radio() { return static_cast<Model&>(devices.model()); }
    std::string fromPc() {
        const auto& r = devices.model().received();
        return {r.begin(), r.end()};
    }
};

using KvrBench = Bench<sim::KvrRadioModel>;
using Marten30Bench = Bench<sim::Marten30RadioModel>;

}  // namespace tw::kvr::test
