#include "desktop/native/dbus_backend.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <optional>
#include <thread>

#include "desktop/native/event_loop.hpp"
#include "desktop/native/headless_backend.hpp"
#include "desktop/native/menu.hpp"
#include "desktop/native/menu_event.hpp"
#include "desktop/native/monogram.hpp"
#include "desktop/native/tray_icon.hpp"
#include "support/bus_client.hpp"
#include "support/fake_watcher.hpp"
#include "support/private_bus.hpp"
#include "support/run_process.hpp"
#include "support/scoped_env.hpp"

namespace pellamy::desktop::native {
namespace {

using testing::BusClient;
using ::testing::Contains;
using ::testing::ElementsAre;
using testing::FakeWatcher;
using testing::menu_lines;
using testing::PrivateBus;

Icon monogram_icon() {
    return Icon::from_rgba(draw_monogram(), IconStyle::Template).value();
}

std::shared_ptr<DbusBackend> connect_to(const PrivateBus& bus) {
    return DbusBackend::connect(open_bus(bus.address()).value()).value();
}

// The tray's menu on the backend: status line, open, start and quit items.
class DbusBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_menu_event_callback([this](const MenuEvent& event) { clicks.push_back(event.id); });
        ASSERT_TRUE(menu.append(status));
        ASSERT_TRUE(menu.append_separator());
        ASSERT_TRUE(menu.append(open));
        ASSERT_TRUE(menu.append(start));
        ASSERT_TRUE(menu.append_separator());
        ASSERT_TRUE(menu.append(quit));
    }
    void TearDown() override { clear_menu_event_callback(); }

    void show() { icon.emplace(TrayIcon::create(loop, monogram_icon(), "Pellamy", menu).value()); }

    // Runs `call` on a thread of its own while this one serves the backend, as
    // the event loop would.
    template <typename Call>
    auto serving(Call call) {
        auto result = std::async(std::launch::async, std::move(call));
        while (result.wait_for(std::chrono::seconds{0}) != std::future_status::ready) {
            PollRequest request;
            backend->prepare_poll(request);
            ::poll(request.fds.data(), request.fds.size(), 5);
            backend->dispatch_poll(request.fds);
        }
        return result.get();
    }

    const std::string& service() const { return backend->service_name(); }

    PrivateBus bus;
    std::optional<FakeWatcher> watcher{std::in_place, bus.address()};
    std::shared_ptr<DbusBackend> backend = connect_to(bus);
    EventLoop loop = EventLoop::create(backend).value();
    Menu menu = Menu::create(loop);
    MenuItem status = MenuItem::create(loop, "Waiting for Pellamy", false);
    MenuItem open = MenuItem::create(loop, "Open status dashboard", true);
    MenuItem start = MenuItem::create(loop, "Start daemon", true);
    MenuItem quit = MenuItem::create(loop, "Quit tray", true);
    std::optional<TrayIcon> icon;
    BusClient client{bus.address()};
    std::vector<std::string> clicks;
};

TEST(DbusBackendChoice, TheTrayIsChosenOnlyWhenAWatcherOwnsItsName) {
    PrivateBus bus;
    EXPECT_FALSE(DbusBackend::connect(open_bus(bus.address()).value()));
    {
        const testing::ScopedEnv address{"DBUS_SESSION_BUS_ADDRESS", bus.address()};
        EXPECT_TRUE(std::dynamic_pointer_cast<HeadlessBackend>(platform_backend()));
    }

    const FakeWatcher watcher{bus.address()};
    EXPECT_TRUE(DbusBackend::connect(open_bus(bus.address()).value()));
    {
        const testing::ScopedEnv address{"DBUS_SESSION_BUS_ADDRESS", bus.address()};
        EXPECT_TRUE(std::dynamic_pointer_cast<DbusBackend>(platform_backend()));
    }
    {
        const testing::ScopedEnv address{"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"};
        EXPECT_TRUE(std::dynamic_pointer_cast<HeadlessBackend>(platform_backend()));
    }
}

TEST_F(DbusBackendTest, ShownIconIsRegisteredWithTheWatcherUnderItsOwnName) {
    show();
    EXPECT_EQ(service(), "org.kde.StatusNotifierItem-" + std::to_string(::getpid()) + "-1");
    EXPECT_THAT(watcher->registrations(1), ElementsAre(service()));
    EXPECT_TRUE(serving([&] { return client.has_owner(service()); }));
}

TEST_F(DbusBackendTest, ItemDescribesTheTray) {
    show();
    struct Case {
        const char* property;
        const char* value;
    };
    for (const auto& [property, value] :
         {Case{"Category", "ApplicationStatus"}, Case{"Id", "pellamy"}, Case{"Title", "Pellamy"},
          Case{"Status", "Active"}}) {
        EXPECT_EQ(serving([&] {
                      return client.text_property(service(), "/StatusNotifierItem",
                                                  "org.kde.StatusNotifierItem", property);
                  }),
                  value)
            << property;
    }
    EXPECT_TRUE(serving([&] { return client.item_is_menu(service()); }));
    EXPECT_EQ(serving([&] { return client.menu_path(service()); }), "/MenuBar");
    EXPECT_EQ(serving([&] { return client.tooltip_title(service()); }), "Pellamy");
}

TEST_F(DbusBackendTest, IconPixmapIsTheMonogramWithItsTransparentBorder) {
    show();
    const auto pixmaps = serving([&] { return client.icon_pixmaps(service()); });
    ASSERT_EQ(pixmaps.size(), 1U);
    const auto& pixmap = pixmaps[0];
    EXPECT_EQ(pixmap.width, 32);
    EXPECT_EQ(pixmap.height, 32);
    ASSERT_EQ(pixmap.argb.size(), 4096U);
    std::size_t glyph = 0;
    for (std::size_t row = 0; row < 32; ++row) {
        for (std::size_t column = 0; column < 32; ++column) {
            const std::uint8_t alpha = pixmap.argb[(row * 32 + column) * 4];
            const bool inside = column >= 8 && column <= 23 && row >= 9 && row <= 23;
            if (!inside) {
                EXPECT_EQ(alpha, 0) << "row " << row << " column " << column;
            }
            glyph += alpha == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(glyph, 0U);
}

TEST_F(DbusBackendTest, TooltipAndImageChangesAreSignalledAndShown) {
    show();
    ASSERT_TRUE(icon->set_tooltip("Pellamy - Vault locked"));
    ASSERT_TRUE(icon->set_icon(monogram_icon()));
    EXPECT_EQ(serving([&] { return client.tooltip_title(service()); }), "Pellamy - Vault locked");
    const auto signals = serving([&] { return client.signals_from(service()); });
    EXPECT_THAT(signals, Contains("NewToolTip"));
    EXPECT_THAT(signals, Contains("NewIcon"));
}

TEST_F(DbusBackendTest, LayoutShowsLabelsSeparatorsAndEnabledFlagsUnderStableIds) {
    show();
    const auto layout = serving([&] { return client.layout(service()); });
    EXPECT_THAT(menu_lines(layout),
                ElementsAre("Waiting for Pellamy (disabled)", "---", "Open status dashboard",
                            "Start daemon", "---", "Quit tray"));
    std::vector<std::int32_t> ids;
    for (const auto& node : layout) {
        ids.push_back(node.id);
    }
    EXPECT_THAT(ids, ElementsAre(1, 2, 3, 4, 5, 6));
}

TEST_F(DbusBackendTest, GroupPropertiesAfterALayoutOfTypesGiveEveryLabel) {
    show();
    const auto types_only = serving([&] { return client.layout(service(), {"type"}); });
    std::vector<std::int32_t> ids;
    for (const auto& node : types_only) {
        EXPECT_FALSE(node.properties.contains("label"));
        ids.push_back(node.id);
    }
    const auto labelled = serving([&] { return client.group_properties(service(), ids); });
    EXPECT_EQ(menu_lines(labelled), menu_lines(serving([&] { return client.layout(service()); })));

    const auto everything = serving([&] { return client.group_properties(service(), {}); });
    EXPECT_EQ(everything.size(), 7U);  // the root too
}

TEST_F(DbusBackendTest, ChangedItemsAreSignalledWithoutANewLayout) {
    show();
    const auto revision = serving([&] { return client.layout_revision(service()); });
    status.set_text("Vault locked");
    start.set_enabled(false);

    EXPECT_THAT(serving([&] { return client.signals_from(service()); }),
                ElementsAre("ItemsPropertiesUpdated", "ItemsPropertiesUpdated"));
    EXPECT_EQ(serving([&] { return client.layout_revision(service()); }), revision);
    EXPECT_THAT(menu_lines(serving([&] { return client.layout(service()); })),
                ElementsAre("Vault locked (disabled)", "---", "Open status dashboard",
                            "Start daemon (disabled)", "---", "Quit tray"));
}

TEST_F(DbusBackendTest, AnItemAppendedWhileShownIsANewLayout) {
    show();
    const auto revision = serving([&] { return client.layout_revision(service()); });
    ASSERT_TRUE(menu.append(MenuItem::create(loop, "Later", true)));
    EXPECT_THAT(serving([&] { return client.signals_from(service()); }),
                ElementsAre("LayoutUpdated"));
    EXPECT_GT(serving([&] { return client.layout_revision(service()); }), revision);
    EXPECT_EQ(serving([&] { return client.layout(service()); }).size(), 7U);
}

TEST_F(DbusBackendTest, OnlyAClickOnAnEnabledItemReachesTheCallback) {
    show();
    struct Case {
        std::int32_t id;
        const char* event;
        bool answered;
        bool emitted;
    };
    const Case cases[] = {
        {3, "clicked", true, true},     // open item
        {6, "clicked", true, true},     // quit item
        {1, "clicked", true, false},    // disabled status line
        {2, "clicked", true, false},    // separator
        {3, "hovered", true, false},    // not a click
        {99, "clicked", false, false},  // no such item
    };
    for (const auto& c : cases) {
        clicks.clear();
        EXPECT_EQ(serving([&] { return client.send_event(service(), c.id, c.event); }), c.answered)
            << c.id << " " << c.event;
        const auto& entry = menu.model()->entries[static_cast<std::size_t>(std::max(c.id, 1) - 1)];
        EXPECT_EQ(clicks,
                  c.emitted ? std::vector<std::string>{entry->id} : std::vector<std::string>{})
            << c.id << " " << c.event;
    }
}

TEST_F(DbusBackendTest, TheEventLoopServesTheBusUntilQuitIsClicked) {
    const auto proxy = loop.proxy();
    set_menu_event_callback([proxy](const MenuEvent& event) { (void)proxy.post(event); });
    // A host that waits for the item, reads the menu and clicks "Quit tray".
    auto host = std::async(std::launch::async, [&] {
        watcher->registrations(1);
        const auto layout = client.layout(service());
        return client.send_event(service(), layout.back().id);
    });
    std::vector<std::string> handled;
    const int code = loop.run([&](const Event& event, ControlFlow& flow) {
        flow.wait_until(ControlFlow::Clock::now() + std::chrono::seconds{1});
        if (std::holds_alternative<StartEvent>(event)) {
            show();
        } else if (const auto* click = std::get_if<MenuEvent>(&event)) {
            handled.push_back(click->id);
            if (click->id == quit.id()) {
                flow.exit(0);
            }
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(host.get());
    EXPECT_THAT(handled, ElementsAre(quit.id()));
}

TEST_F(DbusBackendTest, RegistersAgainWhenTheWatcherRestarts) {
    show();
    ASSERT_EQ(watcher->registrations(1).size(), 1U);
    watcher.reset();
    watcher.emplace(bus.address());
    // The restarted watcher learns of the item once the backend has seen it appear.
    auto registered = std::async(std::launch::async, [&] { return watcher->registrations(1); });
    EXPECT_THAT(serving([&] { return registered.get(); }), ElementsAre(service()));
}

TEST_F(DbusBackendTest, RemovedIconGivesUpItsNameAndObjects) {
    show();
    ASSERT_TRUE(serving([&] { return client.has_owner(service()); }));
    icon.reset();
    // The release is not waited for; the bus daemon takes it a moment later.
    EXPECT_FALSE(serving([&] {
        for (int tries = 0; tries < 500 && client.has_owner(service()); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds{10});
        }
        return client.has_owner(service());
    }));
    EXPECT_THAT(serving([&] { return client.send_event(service(), 3); }), false);
}

TEST_F(DbusBackendTest, AGlibDbusmenuClientReadsTheSameLabels) {
    show();
    const auto script = std::string{PELLAMY_SOURCE_DIR} + "/tests/desktop/dbus/dbusmenu_labels.py";
    const auto result = serving([&] {
        return testing::run_process({"/usr/bin/python3", script, service(), "/MenuBar"},
                                    {"DBUS_SESSION_BUS_ADDRESS=" + bus.address()});
    });
    ASSERT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out,
              "Waiting for Pellamy (disabled)\n---\nOpen status dashboard\nStart daemon\n---\n"
              "Quit tray\n");
}

}  // namespace
}  // namespace pellamy::desktop::native
