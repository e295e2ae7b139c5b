#include "desktop/native/icon.hpp"

#include "desktop/native/png.hpp"

namespace pellamy::desktop::native {

std::expected<Icon, Error> Icon::from_rgba(std::span<const std::uint8_t> rgba, IconStyle style) {
    if (rgba.size() != byte_count) {
        return std::unexpected{Error{"The icon image must be 32 × 32 RGBA pixels"}};
    }
    auto png = encode_png(rgba, side, side);
    if (!png) {
        return std::unexpected{std::move(png.error())};
    }
    return Icon{{rgba.begin(), rgba.end()}, std::move(*png), style};
}

}  // namespace pellamy::desktop::native
