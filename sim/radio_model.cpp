#include "sim/radio_model.h"

#include "util/text.h"

namespace tw::sim {

int optionInt(const ModelOptions& options, const std::string& key, int fallback) {
    auto it = options.find(key);
    if (it == options.end() || it->second.empty()) return fallback;
    return static_cast<int>(std::stol(it->second, nullptr, 0));
}

std::string optionText(const ModelOptions& options, const std::string& key,
                       const std::string& fallback) {
    auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

void RadioModel::send(const std::uint8_t* data, std::size_t count, Millis now, Millis delayMs) {
    Millis at = now + delayMs;
    if (!output_.empty() && output_.back().readyAt > at) at = output_.back().readyAt;
    for (std::size_t i = 0; i < count; ++i) output_.push_back({data[i], at});
}

void RadioModel::send(const std::string& text, Millis now, Millis delayMs) {
    send(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), now, delayMs);
}

}  // namespace tw::sim
