#include "sim/models.h"

#include "sim/loopback_model.h"

namespace tw::sim {

std::unique_ptr<RadioModel> createModel(const std::string& family, const ModelOptions& options) {
    if (family == "loopback") return std::make_unique<LoopbackModel>(options);
    return nullptr;
}

std::vector<std::string> modelFamilies() { return {"loopback"}; }

}  // namespace tw::sim
