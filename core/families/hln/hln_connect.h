#pragma once

#include "families/hln/hln_link.h"
#include "families/hln/radio_identity.h"

namespace tw::hln {

// Wakes the radio, completes the handshake the `expected` type letter needs, identifies the
// radio and reads its serial number. On success the port stays open and the identity is
// filled; its radio ID begins with the letter of the radio that answered.
bool HlnConnect(HlnLink& link, char expected, RadioIdentity& identity);

}  // namespace tw::hln
