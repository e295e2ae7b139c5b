#pragma once

#include <cstddef>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>

#include "config/error.hpp"

namespace pellamy::config {

inline constexpr std::size_t config_size_limit = 65'536;

// The file's text, or none when an optional file does not exist. At most one
// byte past the limit is read, so a huge file costs nothing.
std::expected<std::optional<std::string>, Error> read_config_file(const std::filesystem::path& path,
                                                                  bool required);

}  // namespace pellamy::config
