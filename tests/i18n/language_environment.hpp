#pragma once

#include <string>
#include <vector>

namespace pellamy::i18n {

// Every variable the language choice reads, directly or through the
// configuration and the per-user directories; tests start with all unset.
inline std::vector<std::string> language_variables() {
    return {"HOME",         "XDG_CONFIG_HOME", "XDG_DATA_HOME", "PELLAMY_HOME", "PELLAMY_CONFIG",
            "PELLAMY_LANG", "LC_ALL",          "LC_MESSAGES",   "LANG"};
}

}  // namespace pellamy::i18n
