#include "desktop/native/argb_pixmap.hpp"

namespace pellamy::desktop::native {
namespace {

constexpr std::uint8_t template_grey = 0x80;

}  // namespace

std::vector<std::uint8_t> argb_pixmap(const Icon& icon) {
    const auto rgba = icon.rgba();
    const bool recolour = icon.style() == IconStyle::Template;
    std::vector<std::uint8_t> argb(rgba.size());
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const std::uint8_t alpha = rgba[i + 3];
        argb[i] = alpha;
        for (std::size_t channel = 0; channel < 3; ++channel) {
            argb[i + 1 + channel] = recolour ? (alpha == 0 ? 0 : template_grey) : rgba[i + channel];
        }
    }
    return argb;
}

}  // namespace pellamy::desktop::native
