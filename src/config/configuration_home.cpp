#include "config/configuration.hpp"
#include "config/default_paths.hpp"
#include "config/environment.hpp"

namespace pellamy::config {

std::expected<std::filesystem::path, Error> Configuration::home(
    const std::optional<std::filesystem::path>& home) const {
    if (home) {
        return *home;
    }
    if (auto variable = environment_variable("PELLAMY_HOME")) {
        return std::filesystem::path{std::move(*variable)};
    }
    if (settings.storage_dir) {
        return *settings.storage_dir;
    }
    return default_home();
}

}  // namespace pellamy::config
