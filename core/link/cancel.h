#pragma once

#include <atomic>

namespace tw {

// A technician's request to stop the radio operation in progress. Any thread may raise it
// (a Cancel button, a signal handler); the port session acts on it at its next command
// boundary, so raising it never cuts a command from its data.
class CancelSignal {
  public:
    // Safe to call from a signal handler: one lock-free store.
    void request() { requested_.store(true, std::memory_order_relaxed); }
    bool requested() const { return requested_.load(std::memory_order_relaxed); }
    void reset() { requested_.store(false, std::memory_order_relaxed); }

  private:
    std::atomic<bool> requested_{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
};

}  // namespace tw
