#include "testtune/hdt_port.h"

#include <algorithm>

namespace tw::testtune {

CHdtPort::~CHdtPort() {
    Close();
}

bool CHdtPort::Transact(std::string_view text, HdtReply& reply) {
    reply.count = -1;
    if (!isOpen()) return false;
    // Nothing is written for a pure read, which takes the next piece of a streamed reply.
    if (!text.empty()) {
        if (!session_.write(text)) return false;
        session_.pause(kAfterWritePauseMs);
    }
    const auto got = session_.readUpTo(kReadSize);
    if (!got) return false;
    const std::size_t received = std::min<std::size_t>(got->size(), kReadSize);
    std::copy_n(got->begin(), received, reply.bytes.begin());
    reply.bytes[received] = '\0';
    reply.count = static_cast<int>(received);
    return true;
}

}  // namespace tw::testtune
