#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "plugin/store/json_fields.h"
#include "plugin/store/store_object.h"

namespace tw::members {

using json::Key;

// How the description shows a list of texts: one line per element (name0, name1 ...), or
// one line with "|" between the elements or after each.
enum class Joint { Lines, Between, After };

// Turns an object's member list into description lines, under the members' shown names.
// An object's item lists come first, each as "count" and one block per item, then its own
// members: a comparison meets a differing item before a differing detail of the set.
class FieldDescriber {
  public:
    explicit FieldDescriber(FieldList& out) : out_(out), lead_(out.blank()), rest_(out.blank()) {}

    void text(Key key, const std::string& v) { rest_.add(key.shown, v); }
    template <class T>
    void integer(Key key, const T& v, long long, long long) {
        rest_.add(key.shown, static_cast<long long>(v));
    }
    void flag(Key key, const bool& v) { rest_.add(key.shown, v); }
    void real(Key key, const double& v, double, double) { rest_.add(key.shown, v); }
    void bytes(Key key, const std::vector<std::uint8_t>& v, std::size_t) {
        rest_.addBytes(key.shown, v);
    }
    template <class List, class Each>
    void objects(Key key, List& items, std::size_t, Each each) {
        lead_.add("count", static_cast<int>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            FieldList f = lead_.nested(key.shown + std::to_string(i));
            FieldDescriber inner(f);
            each(inner, items[i]);
            inner.finish();
            lead_.append(f);
        }
    }
    FieldList& lines() { return rest_; }
    void finish() {
        out_.append(lead_);
        out_.append(rest_);
    }

  private:
    FieldList& out_;
    FieldList lead_, rest_;
};

// Lists of plain values: numbered lines, flags as one line of digits.
template <class T>
void integers(FieldDescriber& v, Key key, T& list, long long, long long, std::size_t = 0) {
    for (std::size_t i = 0; i < list.size(); ++i)
        v.lines().add(key.shown + std::to_string(i), static_cast<long long>(list[i]));
}
template <class T>
void reals(FieldDescriber& v, Key key, T& list, double, double) {
    for (std::size_t i = 0; i < list.size(); ++i)
        v.lines().add(key.shown + std::to_string(i), list[i]);
}
template <class T>
void flagList(FieldDescriber& v, Key key, T& list) {
    std::string digits;
    for (bool f : list) digits += f ? '1' : '0';
    v.lines().add(key.shown, digits);
}
template <class T>
void texts(FieldDescriber& v, Key key, T& list, std::size_t = 0, Joint joint = Joint::Lines) {
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (joint == Joint::Lines) v.lines().add(key.shown + std::to_string(i), list[i]);
        if (joint == Joint::Between && i > 0) joined += "|";
        joined += list[i];
        if (joint == Joint::After) joined += "|";
    }
    if (joint != Joint::Lines) v.lines().add(key.shown, joined);
}
inline void flagRun(FieldDescriber& v, const char* shown,
                    std::initializer_list<std::pair<const char*, bool*>> flags) {
    std::string digits;
    for (const auto& f : flags) digits += *f.second ? '1' : '0';
    v.lines().add(shown, digits);
}

}  // namespace tw::members
