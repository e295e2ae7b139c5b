#include "i18n/preference_directory.hpp"

#include <cstdlib>

namespace pellamy::i18n {

std::optional<std::filesystem::path> preference_directory(
    const std::optional<std::string>& home_option,
    const std::optional<std::string>& /*config_option*/) {
    if (home_option) {
        return std::filesystem::path{*home_option};
    }
    if (const char* home = std::getenv("PELLAMY_HOME")) {
        return std::filesystem::path{home};
    }
    return std::nullopt;
}

}  // namespace pellamy::i18n
