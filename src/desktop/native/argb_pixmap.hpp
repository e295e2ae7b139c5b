#pragma once

#include <cstdint>
#include <vector>

#include "desktop/native/icon.hpp"

namespace pellamy::desktop::native {

// The icon as the pixmap a status-notifier host draws: ARGB32, each pixel's
// four bytes in network order (alpha first), rows top to bottom.
//
// Hosts do not recolour pixmaps, so a template image, meant to be drawn in the
// panel's foreground colour, is given a mid grey here: it reads on light and
// dark panels alike, where its own black would vanish on a dark one.
std::vector<std::uint8_t> argb_pixmap(const Icon& icon);

}  // namespace pellamy::desktop::native
