#include "desktop/native/menu.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "desktop/native/menu_event.hpp"
#include "desktop/native/tray_icon.hpp"
#include "support/test_backend.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestBackend;

Icon blank_icon(IconStyle style = IconStyle::Template) {
    return Icon::from_rgba(std::vector<std::uint8_t>(Icon::byte_count), style).value();
}

class MenuTest : public ::testing::Test {
protected:
    std::shared_ptr<TestBackend> backend = std::make_shared<TestBackend>();
    EventLoop loop = EventLoop::create(backend).value();
};

TEST_F(MenuTest, EveryMenuItemAndSeparatorHasItsOwnIdentifier) {
    std::set<std::string> ids;
    for (int i = 0; i < 3; ++i) {
        Menu menu = Menu::create(loop);
        ids.insert(menu.model()->id);
        ASSERT_TRUE(menu.append(MenuItem::create(loop, "same text", true)));
        ASSERT_TRUE(menu.append_separator());
        for (const auto& entry : menu.model()->entries) {
            ids.insert(entry->id);
        }
    }
    EXPECT_EQ(ids.size(), 9U);
    EXPECT_FALSE(ids.contains(""));
}

TEST_F(MenuTest, RefusedAppendIsReturnedAndLeavesTheMenuAsItWas) {
    Menu menu = Menu::create(loop);
    const MenuItem kept = MenuItem::create(loop, "Kept", true);
    ASSERT_TRUE(menu.append(kept));

    backend->fail(TestBackend::Operation::Append);
    const auto item = menu.append(MenuItem::create(loop, "Refused", true));
    const auto separator = menu.append_separator();
    ASSERT_FALSE(item);
    ASSERT_FALSE(separator);
    EXPECT_THAT(item.error().message(), ::testing::StartsWith("Test backend refused: append"));

    ASSERT_EQ(menu.model()->entries.size(), 1U);
    EXPECT_EQ(menu.model()->entries[0]->id, kept.id());
    EXPECT_EQ(backend->calls().size(), 3U);
}

TEST_F(MenuTest, ItemHandlesChangeWhatTheMenuShows) {
    Menu menu = Menu::create(loop);
    MenuItem status = MenuItem::create(loop, "Waiting", false);
    ASSERT_TRUE(menu.append(status));

    MenuItem copy = status;
    copy.set_text("Vault locked");
    copy.set_enabled(true);

    const auto& shown = *menu.model()->entries.at(0);
    EXPECT_EQ(shown.text, "Vault locked");
    EXPECT_TRUE(shown.enabled);
    EXPECT_EQ(status.text(), "Vault locked");
    const std::string id = status.id();
    EXPECT_THAT(backend->calls(), ElementsAre("append " + menu.model()->id + " " + id,
                                              "change " + id + " \"Vault locked\" disabled",
                                              "change " + id + " \"Vault locked\" enabled"));
}

TEST_F(MenuTest, TrayIconShowsUpdatesAndIsRemovedWhenDropped) {
    Menu menu = Menu::create(loop);
    {
        auto icon = TrayIcon::create(loop, blank_icon(), "Pellamy", menu);
        ASSERT_TRUE(icon);
        EXPECT_EQ(backend->icon(), &icon->model());
        EXPECT_TRUE(icon->set_tooltip("Pellamy - Vault locked"));
        EXPECT_TRUE(icon->set_icon(blank_icon(IconStyle::Colour)));
        EXPECT_EQ(icon->model().tooltip, "Pellamy - Vault locked");
        EXPECT_EQ(icon->model().icon.style(), IconStyle::Colour);
    }
    EXPECT_EQ(backend->icon(), nullptr);
    EXPECT_THAT(backend->calls(),
                ElementsAre("show " + menu.model()->id + " \"Pellamy\" template",
                            "tooltip \"Pellamy - Vault locked\"", "image colour", "remove"));
}

TEST_F(MenuTest, RefusedIconUpdatesKeepWhatWasShown) {
    auto icon = TrayIcon::create(loop, blank_icon(), "Pellamy", Menu::create(loop)).value();
    backend->fail(TestBackend::Operation::SetTooltip);
    backend->fail(TestBackend::Operation::SetImage);
    EXPECT_FALSE(icon.set_tooltip("Pellamy - Vault unlocked"));
    EXPECT_FALSE(icon.set_icon(blank_icon(IconStyle::Colour)));
    EXPECT_EQ(icon.model().tooltip, "Pellamy");
    EXPECT_EQ(icon.model().icon.style(), IconStyle::Template);
}

TEST_F(MenuTest, RefusedIconIsNeitherShownNorRemoved) {
    backend->fail(TestBackend::Operation::ShowIcon);
    const auto icon = TrayIcon::create(loop, blank_icon(), "Pellamy", Menu::create(loop));
    ASSERT_FALSE(icon);
    EXPECT_EQ(backend->icon(), nullptr);
    EXPECT_THAT(backend->calls(), ::testing::Not(::testing::Contains("remove")));
}

TEST_F(MenuTest, ClicksReachTheCallbackOnlyForEnabledItemsOfTheShownMenu) {
    Menu menu = Menu::create(loop);
    MenuItem open = MenuItem::create(loop, "Open", true);
    MenuItem status = MenuItem::create(loop, "Status", false);
    const MenuItem elsewhere = MenuItem::create(loop, "Elsewhere", true);
    ASSERT_TRUE(menu.append(status));
    ASSERT_TRUE(menu.append_separator());
    ASSERT_TRUE(menu.append(open));
    const std::string separator = menu.model()->entries[1]->id;

    std::vector<std::string> clicked;
    set_menu_event_callback([&](const MenuEvent& event) { clicked.push_back(event.id); });
    EXPECT_FALSE(backend->click(open.id()));  // no icon yet
    auto icon = TrayIcon::create(loop, blank_icon(), "Pellamy", menu).value();

    EXPECT_TRUE(backend->click(open.id()));
    EXPECT_FALSE(backend->click(status.id()));
    EXPECT_FALSE(backend->click(separator));
    EXPECT_FALSE(backend->click(elsewhere.id()));
    status.set_enabled(true);
    EXPECT_TRUE(backend->click(status.id()));
    EXPECT_THAT(clicked, ElementsAre(open.id(), status.id()));

    clear_menu_event_callback();
    EXPECT_TRUE(backend->click(open.id()));
    EXPECT_THAT(clicked, ::testing::SizeIs(2));
}

// The tray's wiring: the callback only posts, the handler sees the click later.
TEST_F(MenuTest, ClickPostedThroughTheProxyArrivesInALaterIteration) {
    const MenuItem quit = MenuItem::create(loop, "Quit tray", true);
    Menu menu = Menu::create(loop);
    ASSERT_TRUE(menu.append(quit));
    set_menu_event_callback(
        [proxy = loop.proxy()](const MenuEvent& event) { (void)proxy.post(event); });

    std::optional<TrayIcon> icon;
    std::vector<Event> seen;
    loop.run([&](const Event& event, ControlFlow& flow) {
        seen.push_back(event);
        if (std::holds_alternative<StartEvent>(event)) {
            icon.emplace(TrayIcon::create(loop, blank_icon(), "Pellamy", menu).value());
            ASSERT_TRUE(backend->click(quit.id()));
            EXPECT_THAT(seen, ::testing::SizeIs(1));
        } else if (event == Event{MenuEvent{quit.id()}}) {
            flow.exit(0);
        }
    });
    clear_menu_event_callback();
    EXPECT_THAT(seen, ElementsAre(Event{StartEvent{}}, Event{MenuEvent{quit.id()}}));
}

}  // namespace
}  // namespace pellamy::desktop::native
