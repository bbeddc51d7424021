#include "sim/models.h"

#include "sim/hln/hln_radio.h"
#include "sim/loopback_model.h"

namespace tw::sim {

std::unique_ptr<RadioModel> createModel(const std::string& family, const ModelOptions& options) {
    if (family == "loopback") return std::make_unique<LoopbackModel>(options);
    if (family == "hln") return std::make_unique<HlnRadio>(options);
    return nullptr;
}

std::vector<std::string> modelFamilies() { return {"loopback", "hln"}; }

}  // namespace tw::sim
