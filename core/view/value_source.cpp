#include "view/value_source.h"

#include <cctype>
#include <chrono>
#include <ctime>

namespace tw {

void ValueSource::set(Kind kind, std::string what, std::string time) {
    kind_ = kind;
    what_ = std::move(what);
    time_ = std::move(time);
    edited_ = false;
    failedOperation_.clear();
    failedTime_.clear();
}

void ValueSource::failed(std::string operation, std::string time) {
    failedOperation_ = std::move(operation);
    failedTime_ = std::move(time);
}

void ValueSource::edited() {
    edited_ = true;
    // Values edited after a failure are the technician's, not the failed radio's.
    failedOperation_.clear();
    failedTime_.clear();
}

std::string ValueSource::origin() const {
    switch (kind_) {
        case Kind::None:
            return {};
        case Kind::Read:
            return "Read from radio " + what_ + " at " + time_;
        case Kind::Loaded:
            return "Loaded from " + what_ + " at " + time_;
        case Kind::Defaults:
            return "Set to defaults for " + what_;
        case Kind::Written:
            return "Written to radio " + what_ + " at " + time_;
        case Kind::Saved:
            return "Saved to " + what_ + " at " + time_;
    }
    return {};
}

std::string ValueSource::valuesFrom() const {
    switch (kind_) {
        case Kind::None:
            return {};
        case Kind::Read:
            return "from radio " + what_ + ", read at " + time_;
        case Kind::Loaded:
            return "from " + what_ + ", loaded at " + time_;
        case Kind::Defaults:
            return "the defaults for " + what_;
        case Kind::Written:
            return "those written to radio " + what_ + " at " + time_;
        case Kind::Saved:
            return "those saved to " + what_ + " at " + time_;
    }
    return {};
}

std::string ValueSource::line() const {
    if (!failedOperation_.empty()) {
        std::string text = failedOperation_ + " failed at " + failedTime_;
        if (kind_ != Kind::None) {
            text += "; the values shown are " + valuesFrom();
            if (edited_) text += ", edited since";
        }
        return text;
    }
    std::string base = origin();
    if (!edited_) return base;
    if (base.empty()) return "Edited";
    base[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(base[0])));
    return "Edited since " + base;
}

std::string localClockText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &tm);
    return text;
}

}  // namespace tw
