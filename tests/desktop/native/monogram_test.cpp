#include "desktop/native/monogram.hpp"

#include <gtest/gtest.h>

namespace pellamy::desktop::native {
namespace {

TEST(Monogram, OpaqueBlackGlyphInsideItsBoxOnly) {
    const MonogramPixels pixels = draw_monogram();
    std::size_t opaque = 0;
    for (std::size_t y = 0; y < monogram_size; ++y) {
        for (std::size_t x = 0; x < monogram_size; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const std::uint8_t* pixel = &pixels[(y * monogram_size + x) * 4];
            EXPECT_EQ(pixel[0] | pixel[1] | pixel[2], 0);
            ASSERT_TRUE(pixel[3] == 0 || pixel[3] == 255);
            const bool in_box = x >= 8 && x <= 23 && y >= 9 && y <= 23;
            if (!in_box) {
                EXPECT_EQ(pixel[3], 0);
            }
            opaque += pixel[3] == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(opaque, 0u);
}

TEST(Monogram, StrokesAreThreePixelsWide) {
    const MonogramPixels pixels = draw_monogram();
    const auto alpha = [&](std::size_t x, std::size_t y) {
        return pixels[(y * monogram_size + x) * 4 + 3];
    };
    // Across the stem at the foot of the letter: transparent, three opaque, transparent.
    EXPECT_EQ(alpha(7, 22), 0);
    EXPECT_EQ(alpha(8, 22) & alpha(9, 22) & alpha(10, 22), 255);
    EXPECT_EQ(alpha(11, 22), 0);
    // Down through the top bar in the middle: transparent, three opaque, transparent.
    EXPECT_EQ(alpha(16, 8), 0);
    EXPECT_EQ(alpha(16, 9) & alpha(16, 10) & alpha(16, 11), 255);
    EXPECT_EQ(alpha(16, 12), 0);
}

}  // namespace
}  // namespace pellamy::desktop::native
