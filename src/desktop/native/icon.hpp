#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <span>
#include <vector>

#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

// A template image is drawn in the menu bar's own foreground colour; only its
// alpha channel counts.
enum class IconStyle : std::uint8_t { Colour, Template };

// The menu-bar icon's image: 32 × 32 pixels, RGBA, rows top to bottom. Kept
// both raw (for toolkits that take pixels) and as PNG (for those that take a file).
class Icon {
public:
    static constexpr std::uint32_t side = 32;
    static constexpr std::size_t byte_count = std::size_t{side} * side * 4;

    static std::expected<Icon, Error> from_rgba(std::span<const std::uint8_t> rgba,
                                                IconStyle style);

    std::span<const std::uint8_t> rgba() const { return rgba_; }
    std::span<const std::uint8_t> png() const { return png_; }
    IconStyle style() const { return style_; }

private:
    Icon(std::vector<std::uint8_t> rgba, std::vector<std::uint8_t> png, IconStyle style)
        : rgba_(std::move(rgba)), png_(std::move(png)), style_(style) {}

    std::vector<std::uint8_t> rgba_;
    std::vector<std::uint8_t> png_;
    IconStyle style_;
};

}  // namespace pellamy::desktop::native
