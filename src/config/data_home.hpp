#pragma once

#include <expected>
#include <filesystem>

#include "config/error.hpp"

namespace pellamy::config {

// Creates the home directory and its parents if needed, restricts it to its
// owner (an existing one too) and returns its canonical path.
std::expected<std::filesystem::path, Error> data_home(const std::filesystem::path& home);

}  // namespace pellamy::config
