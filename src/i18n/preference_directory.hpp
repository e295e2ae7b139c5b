#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pellamy::i18n {

// Where "language.txt" is looked for, from the raw --home and --config values:
// the home directory start-up would choose, found without ever failing or
// printing. None when no directory can be determined.
std::optional<std::filesystem::path> preference_directory(
    const std::optional<std::string>& home_option, const std::optional<std::string>& config_option);

}  // namespace pellamy::i18n
