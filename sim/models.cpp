#include "sim/models.h"

#include "sim/compact/compact_radio.h"
#include "sim/compact/wla_radio_model.h"
#include "sim/hdt/hdt_model.h"
#include "sim/hln/hln_radio.h"
#include "sim/kvr/kvr_radio_model.h"
#include "sim/kvr/marten30_radio_model.h"
#include "sim/loopback_model.h"

namespace tw::sim {

std::unique_ptr<RadioModel> createModel(const std::string& family, const ModelOptions& options) {
    if (family == "loopback") return std::make_unique<LoopbackModel>(options);
    if (family == "hln") return std::make_unique<HlnRadio>(options);
    if (family == "kvr") return std::make_unique<KvrRadioModel>(options);
    if (family == "marten30") return std::make_unique<Marten30RadioModel>(options);
    if (family == "wla") return std::make_unique<WlaRadioModel>(options);
    if (family == "wlb" || family == "marten60p")
        return std::make_unique<CompactRadioModel>(family, options);
    // A BLT-family radio is reached through its radio-connection library; its serial line
    // carries only the test interpreter.
    if (family == "hdt" || family == "blt") return std::make_unique<HdtModel>(options);
    return nullptr;
}

std::vector<std::string> modelFamilies() {
    return {"loopback", "hln", "kvr", "marten30", "wla", "wlb", "marten60p", "hdt", "blt"};
}

int modelBaud(const std::string& family) {
    if (family == "hdt" || family == "blt") return 19200;
    if (family == "wlb" || family == "marten60p") return 1200;
    return 9600;
}

}  // namespace tw::sim
