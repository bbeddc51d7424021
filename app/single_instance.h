#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tw::app {

inline constexpr const char* kAlreadyRunningMessage = "Tunewright is currently running.";

// One running copy per user: a lock file in the user's runtime directory. The lock is held
// for the guard's lifetime; a copy that crashed leaves a stale lock that the next start
// recognises by its dead process and takes over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    bool acquired() const { return acquired_; }
    static QString defaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

}  // namespace tw::app
