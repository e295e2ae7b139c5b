#pragma once

#include <filesystem>
#include <optional>

namespace pellamy::config {

// The user's home directory: HOME when set and not empty, else the password database.
std::optional<std::filesystem::path> user_home();

// Where the project keeps its configuration and its data. macOS has one folder
// for both; elsewhere the XDG base directories apply. None without a user home.
std::optional<std::filesystem::path> project_config_dir();
std::optional<std::filesystem::path> project_data_dir();

}  // namespace pellamy::config
