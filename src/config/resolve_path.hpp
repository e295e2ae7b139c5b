#pragma once

#include <expected>
#include <filesystem>

#include "config/error.hpp"

namespace pellamy::config {

// A path written in the configuration file, made absolute: "~", "~/" and "~\"
// start at the user's home, and relative paths start at the file's directory.
std::expected<std::filesystem::path, Error> resolve_path(const std::filesystem::path& value,
                                                         const std::filesystem::path& config_file);

}  // namespace pellamy::config
