#include "sim/models.h"

#include "sim/compact/compact_radio.h"
#include "sim/compact/wla_radio_model.h"
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
    return nullptr;
}

int modelBaud(const std::string& family) {
    return family == "wlb" || family == "marten60p" ? 1200 : 9600;
}

std::vector<std::string> modelFamilies() {
    return {"loopback", "hln", "kvr", "marten30", "wla", "wlb", "marten60p"};
}

}  // namespace tw::sim
