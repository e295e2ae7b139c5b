#pragma once

#include <expected>
#include <filesystem>

#include "config/error.hpp"

namespace pellamy::config {

// The per-user configuration file, "config.toml" in the project configuration directory.
std::expected<std::filesystem::path, Error> default_path();

// The per-user home of the service, the project data directory.
std::expected<std::filesystem::path, Error> default_home();

}  // namespace pellamy::config
