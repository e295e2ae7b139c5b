#include "desktop/native/tray_image.hpp"

#include "desktop/native/monogram.hpp"

namespace pellamy::desktop::native {

std::expected<Icon, Error> make_icon() {
    return Icon::from_rgba(draw_monogram(), IconStyle::Template);
}

}  // namespace pellamy::desktop::native
