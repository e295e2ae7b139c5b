#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pellamy::desktop::native {

inline constexpr std::size_t monogram_size = 32;

// 32 x 32 RGBA pixels, rows top to bottom.
using MonogramPixels = std::array<std::uint8_t, monogram_size * monogram_size * 4>;

// The tray's "P" monogram: black strokes three pixels wide on a transparent
// ground, inside columns 8-23 and rows 9-23. The toolkit draws it as a template
// image, in the menu bar's own foreground colour.
MonogramPixels draw_monogram();

}  // namespace pellamy::desktop::native
