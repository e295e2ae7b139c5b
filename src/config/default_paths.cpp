#include "config/default_paths.hpp"

#include "config/user_dirs.hpp"

namespace pellamy::config {
namespace {

Error no_directory() {
    return Error{"OS configuration directory"};
}

}  // namespace

std::expected<std::filesystem::path, Error> default_path() {
    auto directory = project_config_dir();
    if (!directory) {
        return std::unexpected{no_directory()};
    }
    return *directory / "config.toml";
}

std::expected<std::filesystem::path, Error> default_home() {
    auto directory = project_data_dir();
    if (!directory) {
        return std::unexpected{no_directory()};
    }
    return std::move(*directory);
}

}  // namespace pellamy::config
