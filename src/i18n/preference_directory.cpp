#include "i18n/preference_directory.hpp"

#include "config/configuration.hpp"
#include "config/default_paths.hpp"
#include "config/environment.hpp"

namespace pellamy::i18n {
namespace {

std::optional<std::filesystem::path> as_path(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    return std::filesystem::path{*text};
}

template <typename Value>
std::optional<std::filesystem::path> if_found(const Value& found) {
    if (!found) {
        return std::nullopt;
    }
    return *found;
}

}  // namespace

std::optional<std::filesystem::path> preference_directory(
    const std::optional<std::string>& home_option,
    const std::optional<std::string>& config_option) {
    auto home = as_path(home_option ? home_option : config::environment_variable("PELLAMY_HOME"));
    // Start-up reads the configuration again and reports its errors there.
    if (const auto configuration = config::Configuration::load(as_path(config_option))) {
        return if_found(configuration->home(home));
    }
    if (home) {
        return home;
    }
    return if_found(config::default_home());
}

}  // namespace pellamy::i18n
