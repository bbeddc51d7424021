#include "app/testtune/qt_timer_host.h"

namespace tw::app {

QtTimerHost::~QtTimerHost() = default;

void QtTimerHost::armed(const Key& key, const Timer& timer) {
    auto& q = qtimers_[key];
    if (!q) {
        q = std::make_unique<QTimer>();
        q->setSingleShot(true);
        QObject::connect(q.get(), &QTimer::timeout, [this, key] { due(key); });
    }
    q->start(static_cast<int>(timer.period));
}

void QtTimerHost::disarmed(const Key& key) {
    const auto it = qtimers_.find(key);
    if (it == qtimers_.end()) return;
    // The timer may be the one whose signal is being handled: let Qt delete it later.
    it->second->stop();
    it->second.release()->deleteLater();
    qtimers_.erase(it);
}

}  // namespace tw::app
