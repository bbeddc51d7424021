#pragma once

#include "families/hln/hln_link.h"
#include "families/hln/radio_identity.h"
#include "plugin/store/personality.h"

namespace tw {

// Wakes the radio, completes the handshake the expected type needs (the personality's radio
// type code), identifies the radio and reads its serial number. On success the port stays
// open, the identity is filled and the personality's type code holds the ID letter.
bool HlnConnect(HlnLink& link, CPersonality& personality, RadioIdentity& identity);

}  // namespace tw
