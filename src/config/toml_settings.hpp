#pragma once

#include <expected>
#include <string_view>

#include "config/error.hpp"
#include "config/settings.hpp"

namespace pellamy::config {

// The document mapped onto Settings. Syntax errors, unknown or missing keys,
// values of another type and integers outside their field's range all give the
// same message: the parser's own wording is not shown.
std::expected<Settings, Error> parse_settings(std::string_view text);

}  // namespace pellamy::config
