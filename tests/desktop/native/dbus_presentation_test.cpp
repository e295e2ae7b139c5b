#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "desktop/native/argb_pixmap.hpp"
#include "desktop/native/dbusmenu_properties.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::ElementsAre;

Icon one_coloured_pixel(IconStyle style) {
    std::vector<std::uint8_t> rgba(Icon::byte_count);
    // The second pixel: red 10, green 20, blue 30, alpha 200.
    rgba[4] = 10;
    rgba[5] = 20;
    rgba[6] = 30;
    rgba[7] = 200;
    return Icon::from_rgba(rgba, style).value();
}

TEST(ArgbPixmap, PutsAlphaFirstAndGreysOnlyTemplateGlyphs) {
    const auto colour = argb_pixmap(one_coloured_pixel(IconStyle::Colour));
    ASSERT_EQ(colour.size(), Icon::byte_count);
    EXPECT_THAT(std::vector(colour.begin(), colour.begin() + 8),
                ElementsAre(0, 0, 0, 0, 200, 10, 20, 30));

    const auto grey = argb_pixmap(one_coloured_pixel(IconStyle::Template));
    EXPECT_THAT(std::vector(grey.begin(), grey.begin() + 8),
                ElementsAre(0, 0, 0, 0, 200, 0x80, 0x80, 0x80));
}

TEST(DbusmenuProperties, LabelsKeepTheirUnderscores) {
    struct Case {
        const char* text;
        const char* label;
    };
    for (const auto& [text, label] : {Case{"Quit tray", "Quit tray"}, Case{"_", "__"},
                                      Case{"a_b__c", "a__b____c"}, Case{"", ""}}) {
        EXPECT_EQ(menu_label(text), label) << text;
    }
}

TEST(DbusmenuProperties, SeparatorsHaveOnlyTheirTypeAndItemsTheirLabelAndFlag) {
    EXPECT_THAT(entry_properties(MenuEntry{"1", true, "", true}),
                ElementsAre(MenuProperty{"type", std::string{"separator"}}));
    EXPECT_THAT(entry_properties(MenuEntry{"2", false, "Start_daemon", false}),
                ElementsAre(MenuProperty{"label", std::string{"Start__daemon"}},
                            MenuProperty{"enabled", false}));
    EXPECT_THAT(root_properties(),
                ElementsAre(MenuProperty{"children-display", std::string{"submenu"}}));
}

}  // namespace
}  // namespace pellamy::desktop::native
