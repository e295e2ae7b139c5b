#pragma once

#include <cstdint>
#include <expected>
#include <string_view>
#include <vector>

#include "core/error.hpp"

namespace pellamy::core {

// Strict Base64 with the URL-safe alphabet and no padding: refuses "=", other
// characters, lengths no encoder produces and non-zero bits past the last byte,
// so every byte string has exactly one accepted text.
std::expected<std::vector<std::uint8_t>, Error> decode_base64_url(std::string_view text);

}  // namespace pellamy::core
