#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <string_view>

#include "core/error.hpp"

namespace pellamy::core {

// Longer key texts are refused before any decoding work is done.
inline constexpr std::size_t center_key_text_limit = 134'217'728;

using CenterKey = std::array<std::uint8_t, 32>;

// A center's public key: URL-safe Base64 without padding of exactly 32 bytes.
std::expected<CenterKey, Error> decode_center_key(std::string_view text);

}  // namespace pellamy::core
