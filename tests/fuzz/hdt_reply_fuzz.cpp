// Every reader of the test interpreter's replies on arbitrary bytes: a field is taken only
// from where the reply holds it, and nothing is read outside the reply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "testtune/hdt_reply.h"

namespace {

void check(bool property) {
    if (!property) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw::testtune;
    // A reply is one read of at most 50 bytes; the reader must not care where it came from.
    const std::string copy(reinterpret_cast<const char*>(data), size);
    const std::string_view reply(copy);

    for (const auto& [key, width] : {std::pair<std::string_view, std::size_t>{"BATT=", 3},
                                     {"VOL=", 3},
                                     {"GRP=", 2},
                                     {"RSSI=", 3}}) {
        if (const auto v = keyedValue(reply, key, width)) {
            const std::size_t at = reply.find(key);
            check(at != std::string_view::npos && at + key.size() + width <= reply.size());
            check(*v >= 0 && *v <= (width == 2 ? 99 : 999));
            check(reply[at + key.size()] >= '0' && reply[at + key.size()] <= '9');
        }
    }
    if (const auto dac = dacText(reply)) {
        check(dac->size() == 3);
        check(reply.find("PASS") + 10 <= reply.size());
    }
    if (const auto v = codeVersion(reply)) check(reply.find(':') != std::string_view::npos);
    if (const auto field = memoryByteField(reply)) {
        check(field->size() == 2);
        check(reply.substr(reply.rfind(':') + 2, 2) == *field);
    }
    if (const auto e = keyEvent(reply)) {
        check(reply.size() >= 2 || e->ended);
        if (reply.size() >= 2) check(e->key == reply[1]);
    }
    return 0;
}
