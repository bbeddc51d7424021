#include "history/read_history.h"

#include "view/env.h"

namespace tw {

void keepRadioRead(Env& env, const std::string& family, const std::string& radio,
                   const std::string& extension, const std::vector<std::uint8_t>& fileBytes) {
    (void)env;
    (void)family;
    (void)radio;
    (void)extension;
    (void)fileBytes;
}

}  // namespace tw
