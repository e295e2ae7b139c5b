#pragma once

#include <filesystem>
#include <optional>

#include "i18n/language.hpp"

namespace pellamy::i18n {

// The language named by "language.txt" in the directory: its first 16 bytes as
// UTF-8, trimmed of white space, exactly one of the five codes. Any failure or
// other content means no preference.
std::optional<Language> read_stored_preference(const std::filesystem::path& directory);

}  // namespace pellamy::i18n
