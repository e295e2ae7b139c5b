#pragma once

#include <expected>
#include <filesystem>
#include <optional>

#include "config/error.hpp"

namespace pellamy::config {

// Against the current directory, without touching the file system: "." and
// repeated separators go, ".." and a trailing separator stay, since only the
// file system could say where ".." leads. An empty path is refused.
std::expected<std::filesystem::path, Error> absolute_lexical(const std::filesystem::path& path);

// The path without its last component; none for the root or a lone name.
std::optional<std::filesystem::path> lexical_parent(const std::filesystem::path& path);

}  // namespace pellamy::config
