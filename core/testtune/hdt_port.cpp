#include "testtune/hdt_port.h"

namespace tw::testtune {

CHdtPort::~CHdtPort() {
    Close();
}

int CHdtPort::Close() {
    if (handle_ == kNoLink) return 0;
    const int result = link_.slkClose(handle_);
    handle_ = kNoLink;
    return result;
}

bool CHdtPort::Transact(std::string_view text, HdtReply& reply) {
    reply.count = -1;
    if (handle_ == kNoLink) return false;
    // The library reports failure with 0 (and -1 from some callers' point of view): only a
    // positive result is a success.
    if (!text.empty()) {
        if (link_.slkWriteBuffer(handle_, text.data(), text.size()) <= 0) return false;
        link_.slkSleep(handle_, kAfterWritePauseMs);
    }
    unsigned long received = 0;
    if (link_.slkReadBuffer(handle_, reply.bytes.data(), kReadSize, &received, 0) <= 0)
        return false;
    if (received > kReadSize) received = kReadSize;
    reply.bytes[received] = '\0';
    reply.count = static_cast<int>(received);
    return true;
}

}  // namespace tw::testtune
