#pragma once

#include "config/profile.h"
#include "util/text.h"
#include "view/env.h"

namespace tw::blt {

// The connection library opens the port the profile names. For the moment of opening, the
// application's current port is written there; the port the user saved goes back when the
// scope ends, on every path.
class PortExchange {
  public:
    explicit PortExchange(Env& env)
        : profile_(env.profile),
          saved_(profile_.getInt(profile_keys::kCommSection, profile_keys::kPortNumber, -1)),
          changed_(saved_ != env.app.currentPort) {
        if (changed_)
            ok_ = profile_.writeString(profile_keys::kCommSection, profile_keys::kPortNumber,
                                       format("%1d", env.app.currentPort));
        if (!ok_)
            env.ui.detail("The profile file " + profile_.path() +
                          " cannot be written, so the chosen port cannot be passed on.");
    }
    ~PortExchange() {
        if (changed_)
            profile_.writeString(profile_keys::kCommSection, profile_keys::kPortNumber,
                                 format("%1d", saved_));
    }
    PortExchange(const PortExchange&) = delete;
    PortExchange& operator=(const PortExchange&) = delete;

    // False when the current port could not be written: opening now would use the wrong one.
    bool ok() const { return ok_; }

  private:
    Profile& profile_;
    int saved_;
    bool changed_;
    bool ok_ = true;
};

}  // namespace tw::blt
