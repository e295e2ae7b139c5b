#include "desktop/native/monogram.hpp"

namespace pellamy::desktop::native {
namespace {

constexpr std::size_t stroke = 3;
constexpr std::size_t left = 8;
constexpr std::size_t right = 23;
constexpr std::size_t top = 9;
constexpr std::size_t bottom = 23;
constexpr std::size_t bowl_bottom = 17;  // the bowl closes at two thirds of the height

// Makes every pixel of the inclusive rectangle opaque; red, green and blue stay 0.
void fill(MonogramPixels& pixels, std::size_t x0, std::size_t y0, std::size_t x1, std::size_t y1) {
    for (std::size_t y = y0; y <= y1; ++y) {
        for (std::size_t x = x0; x <= x1; ++x) {
            pixels[(y * monogram_size + x) * 4 + 3] = 255;
        }
    }
}

}  // namespace

MonogramPixels draw_monogram() {
    MonogramPixels pixels{};
    fill(pixels, left, top, left + stroke - 1, bottom);                // stem
    fill(pixels, left, top, right, top + stroke - 1);                  // top bar
    fill(pixels, right - stroke + 1, top, right, bowl_bottom);         // bowl side
    fill(pixels, left, bowl_bottom - stroke + 1, right, bowl_bottom);  // bowl base
    return pixels;
}

}  // namespace pellamy::desktop::native
