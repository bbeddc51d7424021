#include "testtune/page_timers.h"

#include <algorithm>
#include <utility>

namespace tw::testtune {

void PageTimerHost::start(const void* owner, int id, Millis ms, bool repeating, Fire fire) {
    const Key key{owner, id};
    Timer& t = timers_[key];
    t.period = std::max<Millis>(ms, 1);
    t.due = now() + t.period;
    t.repeating = repeating;
    t.fire = std::move(fire);
    t.generation = ++generation_;
    std::erase(waiting_, key);
    armed(key, t);
}

void PageTimerHost::kill(const void* owner, int id) {
    const Key key{owner, id};
    if (timers_.erase(key) == 0) return;
    std::erase(waiting_, key);
    disarmed(key);
}

void PageTimerHost::killAll(const void* owner) {
    std::vector<int> ids;
    for (const auto& [key, t] : timers_)
        if (key.first == owner) ids.push_back(key.second);
    for (const int id : ids) kill(owner, id);
}

void PageTimerHost::leaveHandler() {
    if (depth_ > 0) --depth_;
    if (depth_ > 0 || flushing_) return;
    flushing_ = true;
    // Timers that fell due during the handler, once each, in the order they did; one that
    // falls due again in its own handler waits for the next turn.
    const std::vector<Key> waiting = std::exchange(waiting_, {});
    for (const Key& key : waiting)
        if (depth_ == 0) fire(key);
    flushing_ = false;
}

void PageTimerHost::due(const Key& key) {
    if (timers_.count(key) == 0) return;
    if (depth_ > 0) {
        if (std::find(waiting_.begin(), waiting_.end(), key) == waiting_.end())
            waiting_.push_back(key);
        return;
    }
    fire(key);
}

void PageTimerHost::fire(const Key& key) {
    std::erase(waiting_, key);
    auto it = timers_.find(key);
    if (it == timers_.end()) return;
    Fire fireNow = it->second.fire;
    if (it->second.repeating) {
        it->second.due = now() + it->second.period;
        armed(key, it->second);
    } else {
        timers_.erase(it);
        disarmed(key);
    }
    enterHandler();
    fireNow();
    leaveHandler();
}

bool VirtualTimerHost::nextDue(Millis& at) const {
    bool any = false;
    for (const auto& [key, t] : timers())
        if (!any || t.due < at) {
            at = t.due;
            any = true;
        }
    return any;
}

void VirtualTimerHost::pass(Millis ms, const std::function<void()>& between) {
    const Millis target = clock_.now() + std::max<Millis>(ms, 0);
    if (inHandler()) {
        // Time passes inside a handler; what falls due meanwhile fires once it has returned.
        if (target > clock_.now()) clock_.sleep(target - clock_.now());
        std::vector<Key> dueNow;
        for (const auto& [key, t] : timers())
            if (t.due <= target) dueNow.push_back(key);
        for (const auto& key : dueNow) due(key);
        return;
    }
    for (;;) {
        Millis at = 0;
        const bool timer = nextDue(at) && at <= target;
        Millis stop = timer ? at : target;
        // With a test dialog up, its changes are applied as time goes, not only at the end.
        if (between) stop = std::min(stop, clock_.now() + kBetweenSliceMs);
        if (stop > clock_.now()) clock_.sleep(stop - clock_.now());
        if (between) between();
        if (!timer || at > clock_.now()) {
            if (clock_.now() >= target) break;
            continue;
        }
        // The earliest due timer, first armed first on a tie.
        const Key* first = nullptr;
        unsigned long generation = 0;
        for (const auto& [key, t] : timers())
            if (t.due == at && (!first || t.generation < generation)) {
                first = &key;
                generation = t.generation;
            }
        if (first) due(*first);
    }
}

}  // namespace tw::testtune
