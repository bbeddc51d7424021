#include "host_page.h"

#include <cstring>

namespace tw::host {
namespace {

bool parseInt(const std::string& s, int& out) {
    if (s.empty() || s.size() > 9) return false;
    std::size_t i = s[0] == '-' ? 1 : 0;
    if (i == s.size()) return false;
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return false;
    out = std::stoi(s);
    return true;
}

}  // namespace

bool HostPage::add(const std::string& word, std::string& why) {
    const auto eq = word.find('=');
    int id = 0;
    if (eq == std::string::npos || !parseInt(word.substr(0, eq), id)) {
        why = "not a control ID=VALUE: " + word;
        return false;
    }
    const std::string v = word.substr(eq + 1);
    Control& c = controls_[id];
    c.id = id;
    if (v == "on" || v == "off") {
        c.checked = v == "on";
    } else if (!v.empty() && v[0] == '#') {
        if (!parseInt(v.substr(1), c.selected)) {
            why = "not a list index: " + word;
            return false;
        }
    } else if (v.rfind("items:", 0) == 0) {
        c.items.clear();
        std::string rest = v.substr(6);
        std::size_t at = 0;
        while (true) {
            const auto bar = rest.find('|', at);
            c.items.push_back(
                rest.substr(at, bar == std::string::npos ? std::string::npos : bar - at));
            if (bar == std::string::npos) break;
            at = bar + 1;
        }
    } else {
        c.text = v;
    }
    return true;
}

TwControlList* HostPage::list() {
    pointers_.clear();
    for (auto& [id, c] : controls_) {
        c.page = this;
        c.c = {};
        c.c.version = TW_HOST_OBJECT_VERSION;
        c.c.context = &c;
        c.c.id = id;
        c.c.getText = [](void* x, char* buffer, int size) {
            const auto& t = static_cast<Control*>(x)->text;
            if (size > 0) {
                const std::size_t n = std::min(t.size(), static_cast<std::size_t>(size - 1));
                std::memcpy(buffer, t.data(), n);
                buffer[n] = '\0';
            }
            return static_cast<int>(t.size());
        };
        c.c.getChecked = [](void* x) { return static_cast<Control*>(x)->checked; };
        c.c.getSelectedIndex = [](void* x) { return static_cast<Control*>(x)->selected; };
        c.c.getItemCount = [](void* x) {
            return static_cast<int>(static_cast<Control*>(x)->items.size());
        };
        c.c.enable = [](void* x, int on) {
            auto* self = static_cast<Control*>(x);
            self->page->changes_.push_back(std::to_string(self->id) +
                                           (on ? " enabled" : " disabled"));
        };
        c.c.focus = [](void* x) {
            auto* self = static_cast<Control*>(x);
            self->page->changes_.push_back(std::to_string(self->id) + " focused");
        };
        c.c.deleteListItem = [](void* x, int index) {
            auto* self = static_cast<Control*>(x);
            if (index < 0 || index >= static_cast<int>(self->items.size())) return;
            self->page->changes_.push_back(std::to_string(self->id) + " item " +
                                           std::to_string(index) + " deleted");
            self->items.erase(self->items.begin() + index);
        };
        pointers_.push_back(&c.c);
    }
    list_ = {TW_HOST_OBJECT_VERSION, static_cast<int>(pointers_.size()), pointers_.data()};
    return &list_;
}

}  // namespace tw::host
