#pragma once

#include <expected>

#include "desktop/native/error.hpp"
#include "desktop/native/icon.hpp"

namespace pellamy::desktop::native {

// The menu-bar image: the monogram as a template image, the same in every status.
std::expected<Icon, Error> make_icon();

}  // namespace pellamy::desktop::native
