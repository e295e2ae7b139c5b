#include "desktop/native/icon.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace pellamy::desktop::native {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t read_u32(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes.at(at)} << 24 | std::uint32_t{bytes.at(at + 1)} << 16 |
           std::uint32_t{bytes.at(at + 2)} << 8 | bytes.at(at + 3);
}

int paeth(int left, int up, int up_left) {
    const int estimate = left + up - up_left;
    const int to_left = std::abs(estimate - left);
    const int to_up = std::abs(estimate - up);
    const int to_up_left = std::abs(estimate - up_left);
    if (to_left <= to_up && to_left <= to_up_left) {
        return left;
    }
    return to_up <= to_up_left ? up : up_left;
}

// Reverses the five PNG scanline filters, four bytes per pixel.
Bytes unfilter(const Bytes& filtered, std::size_t width, std::size_t height) {
    const std::size_t stride = width * 4;
    Bytes pixels(stride * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t filter = filtered.at(row * (stride + 1));
        for (std::size_t i = 0; i < stride; ++i) {
            const int raw = filtered.at(row * (stride + 1) + 1 + i);
            const int left = i >= 4 ? pixels[row * stride + i - 4] : 0;
            const int up = row > 0 ? pixels[(row - 1) * stride + i] : 0;
            const int up_left = row > 0 && i >= 4 ? pixels[(row - 1) * stride + i - 4] : 0;
            const int predictor =
                std::array{0, left, up, (left + up) / 2, paeth(left, up, up_left)}.at(filter);
            pixels[row * stride + i] = static_cast<std::uint8_t>(raw + predictor);
        }
    }
    return pixels;
}

// A decoder for what the tray hands to a native toolkit: checks the
// signature, every chunk's CRC and the header, and returns the RGBA pixels.
Bytes decode_png(const Bytes& png) {
    const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Bytes compressed;
    std::vector<std::string> chunk_types;
    for (std::size_t at = signature.size(); at < png.size();) {
        const std::uint32_t length = read_u32(png, at);
        const auto* type_and_data = png.data() + at + 4;
        const std::string type(type_and_data, type_and_data + 4);
        const Bytes data(type_and_data + 4, type_and_data + 4 + length);
        EXPECT_EQ(read_u32(png, at + 8 + length), ::crc32(0, type_and_data, length + 4)) << type;
        chunk_types.push_back(type);
        if (type == "IHDR") {
            width = read_u32(data, 0);
            height = read_u32(data, 4);
            EXPECT_EQ(Bytes(data.begin() + 8, data.end()), (Bytes{8, 6, 0, 0, 0}));
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data.begin(), data.end());
        }
        at += 12 + length;
    }
    EXPECT_EQ(chunk_types.front(), "IHDR");
    EXPECT_EQ(chunk_types.back(), "IEND");

    Bytes filtered(std::size_t{height} * (std::size_t{width} * 4 + 1));
    uLongf size = filtered.size();
    EXPECT_EQ(::uncompress(filtered.data(), &size, compressed.data(), compressed.size()), Z_OK);
    EXPECT_EQ(size, filtered.size());
    return unfilter(filtered, width, height);
}

TEST(Icon, RefusesAnythingButThirtyTwoSquareRgba) {
    for (const std::size_t size : {0UZ, 1UZ, 1024UZ, 4095UZ, 4097UZ, 8192UZ}) {
        const auto icon = Icon::from_rgba(Bytes(size), IconStyle::Template);
        ASSERT_FALSE(icon) << size;
        EXPECT_EQ(icon.error().message(), "The icon image must be 32 × 32 RGBA pixels");
    }
}

TEST(Icon, KeepsThePixelsAndItsStyle) {
    Bytes pixels(Icon::byte_count);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 128);
    }
    for (const IconStyle style : {IconStyle::Template, IconStyle::Colour}) {
        const auto icon = Icon::from_rgba(pixels, style);
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->style(), style);
        EXPECT_EQ(Bytes(icon->rgba().begin(), icon->rgba().end()), pixels);
    }
}

TEST(Icon, PngDecodesToTheSamePixels) {
    // A transparent border around a glyph, as the tray draws, and a noisy
    // image that deflate cannot shrink.
    Bytes glyph(Icon::byte_count);
    for (std::size_t y = 9; y <= 23; ++y) {
        for (std::size_t x = 8; x <= 23; x += 2) {
            glyph[(y * Icon::side + x) * 4 + 3] = 255;
        }
    }
    Bytes noise(Icon::byte_count);
    std::uint32_t state = 12345;
    for (auto& byte : noise) {
        state = state * 1103515245 + 12345;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    for (const Bytes& pixels : {glyph, noise}) {
        const auto icon = Icon::from_rgba(pixels, IconStyle::Template);
        ASSERT_TRUE(icon);
        EXPECT_EQ(decode_png(Bytes(icon->png().begin(), icon->png().end())), pixels);
    }
}

}  // namespace
}  // namespace pellamy::desktop::native
