#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <vector>

#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

// A PNG file of 8-bit RGBA pixels, rows top to bottom; rgba holds exactly
// width × height × 4 bytes.
std::expected<std::vector<std::uint8_t>, Error> encode_png(std::span<const std::uint8_t> rgba,
                                                           std::uint32_t width,
                                                           std::uint32_t height);

}  // namespace pellamy::desktop::native
