#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>

#include "support/scoped_env.hpp"

namespace pellamy::i18n {

// Gives every variable the language choice reads, directly or through the
// configuration and the per-user directories, the value in the map, and unsets
// the others, until the result goes.
inline std::deque<testing::ScopedEnv> language_environment(
    const std::map<std::string, std::string>& values) {
    std::deque<testing::ScopedEnv> scope;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "PELLAMY_HOME",
                             "PELLAMY_CONFIG", "PELLAMY_LANG", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const auto found = values.find(name);
        scope.emplace_back(
            name, found == values.end() ? std::nullopt : std::optional<std::string>{found->second});
    }
    return scope;
}

}  // namespace pellamy::i18n
