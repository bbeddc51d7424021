// The profile file (novac4.ini) as any bytes: keys read back what was written, and a radio
// operation on another port leaves every saved setting as it was.
#include <fstream>
#include <iterator>

#include "faults/fault_matrix.h"
#include "sim/kvr/kvr_radio_model.h"
#include "support/property.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    faults::PageBench bench(std::make_unique<sim::KvrRadioModel>(sim::ModelOptions{}));
    Profile& profile = bench.env().profile;
    std::ofstream(profile.path(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    const std::pair<const char*, const char*> keys[] = {
        {"Comm Settings", "Port Number"},
        {"Directory Settings", "Track"},
        {"Directory Settings", "Translators"},
        {"Radio Settings", "Radio Type"},
    };
    std::vector<std::string> before;
    for (const auto& [s, k] : keys) before.push_back(profile.getString(s, k, "\x01"));
    const int port = profile.getInt("Comm Settings", "Port Number", -1);

    // The operation uses the application's port and puts the saved number back (as a
    // number: a missing key comes back as -1).
    bench.env().app.currentPort = port == 4 ? 5 : 4;
    bench.page(0).ReadTrackingFromRadio();
    TW_PROPERTY(profile.getInt("Comm Settings", "Port Number", -1) == port,
                "a radio operation changed the saved port");
    for (std::size_t i = 1; i < before.size(); ++i)
        TW_PROPERTY(profile.getString(keys[i].first, keys[i].second, "\x01") == before[i],
                    std::string("a radio operation changed ") + keys[i].second);
    TW_PROPERTY(bench.openLines() == 0, "link left open");

    TW_PROPERTY(profile.writeString("Radio Settings", "Radio Type", "66"), "write refused");
    TW_PROPERTY(profile.getString("Radio Settings", "Radio Type") == "66",
                "written key reads back");
    TW_PROPERTY(profile.getInt("Radio Settings", "Radio Type", 0) == 66, "written number");
    for (std::size_t i = 1; i + 1 < before.size(); ++i)
        TW_PROPERTY(profile.getString(keys[i].first, keys[i].second, "\x01") == before[i],
                    std::string("writing one key changed ") + keys[i].second);
    return 0;
}
