#include "view/controls.h"

#include <atomic>
#include <stdexcept>

namespace tw {

namespace {
#ifdef NDEBUG
std::atomic<bool> strict{false};
#else
std::atomic<bool> strict{true};
#endif
}  // namespace

void Controls::setStrictIds(bool on) {
    strict.store(on, std::memory_order_relaxed);
}

bool Controls::strictIds() {
    return strict.load(std::memory_order_relaxed);
}

const Control* Controls::known(int id) const {
    const Control* c = find(id);
    if (!c && strictIds()) throw std::logic_error("no control " + std::to_string(id));
    return c;
}

Control* Controls::known(int id) {
    Control* c = find(id);
    if (!c && strictIds()) throw std::logic_error("no control " + std::to_string(id));
    return c;
}

Control& Controls::add(int id, std::string text, bool showsValue) {
    if (Control* c = find(id)) {
        // Two controls of one id would read and write each other's text.
        if (strictIds()) throw std::logic_error("control " + std::to_string(id) + " added twice");
        return *c;
    }
    controls_.push_back(Control{id, std::move(text), true, showsValue});
    return controls_.back();
}

const Control* Controls::find(int id) const {
    for (const auto& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

Control* Controls::find(int id) {
    for (auto& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

const std::string& Controls::text(int id) const {
    static const std::string empty;
    const Control* c = known(id);
    return c ? c->text : empty;
}

bool Controls::setText(int id, std::string text) {
    Control* c = known(id);
    if (!c) return false;
    c->text = std::move(text);
    return true;
}

bool Controls::enabled(int id) const {
    const Control* c = known(id);
    return c && c->enabled;
}

bool Controls::setEnabled(int id, bool on) {
    Control* c = known(id);
    if (!c) return false;
    c->enabled = on;
    return true;
}

}  // namespace tw
