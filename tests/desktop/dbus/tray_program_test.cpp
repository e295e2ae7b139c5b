// The real pellamy-tray on a private session bus with a minimal watcher: what
// a Linux tray host sees of it and what its clicks do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "desktop/process.hpp"
#include "support/bus_client.hpp"
#include "support/fake_watcher.hpp"
#include "support/private_bus.hpp"
#include "support/run_process.hpp"
#include "support/scoped_env.hpp"
#include "support/standin.hpp"

namespace pellamy {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::menu_lines;
using testing::ScopedEnv;

class TrayOnTheBus : public ::testing::Test {
protected:
    testing::PrivateBus bus;
    testing::FakeWatcher watcher{bus.address()};
    testing::StandIn standin;
    testing::BrowserRecorder browser;
    fs::path user = standin.dir() / "user";
    std::array<ScopedEnv, 7> environment{ScopedEnv{"DBUS_SESSION_BUS_ADDRESS", bus.address()},
                                         ScopedEnv{"HOME", user.string()},
                                         ScopedEnv{"XDG_CONFIG_HOME", std::nullopt},
                                         ScopedEnv{"PELLAMY_CONFIG", std::nullopt},
                                         ScopedEnv{"PELLAMY_WEBUI_PORT", std::nullopt},
                                         ScopedEnv{"PELLAMY_OPEN_BROWSER", std::nullopt},
                                         ScopedEnv{"LANG", "C"}};
    testing::BusClient client{bus.address()};

    TrayOnTheBus() {
        fs::create_directory(user);
        fs::create_symlink(PELLAMY_TRAY_EXE, standin.dir() / "pellamy-tray");
    }
    void TearDown() override { standin.run("stop"); }

    desktop::Child start(const char* language) {
        const ScopedEnv lang{"PELLAMY_LANG", language};
        const auto exe = (standin.dir() / "pellamy-tray").string();
        auto tray = desktop::spawn({.program = exe,
                                    .args = {exe, "--no-open", "--home", standin.home().string()},
                                    .input = desktop::Stdio::Null,
                                    .output = desktop::Stdio::Null,
                                    .error = desktop::Stdio::Null});
        EXPECT_TRUE(tray);
        return std::move(tray.value());
    }

    // The tray's item once it has registered with the watcher.
    std::string service_of(const desktop::Child& tray) {
        const auto service = "org.kde.StatusNotifierItem-" + std::to_string(tray.pid()) + "-1";
        EXPECT_THAT(watcher.registrations(1), ElementsAre(service));
        return service;
    }

    bool tooltip_becomes(const std::string& service, const std::string& text) {
        return testing::eventually([&] { return client.tooltip_title(service) == text; },
                                   std::chrono::seconds{20});
    }

    std::int32_t id_of(const std::string& service, const std::string& label) {
        for (const auto& node : client.layout(service)) {
            const auto found = node.properties.find("label");
            if (found != node.properties.end() && found->second == testing::MenuValue{label}) {
                return node.id;
            }
        }
        return -1;
    }
};

TEST_F(TrayOnTheBus, RegistersAndFollowsTheStatus) {
    auto tray = start("en");
    const auto service = service_of(tray);
    EXPECT_EQ(
        client.text_property(service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Title"),
        "Pellamy");
    ASSERT_TRUE(tooltip_becomes(service, "Pellamy - Daemon offline"));
    const auto pixmaps = client.icon_pixmaps(service);
    ASSERT_EQ(pixmaps.size(), 1U);
    ASSERT_EQ(pixmaps[0].argb.size(), 4096U);
    for (std::size_t pixel = 0; pixel < 1024; ++pixel) {
        const std::size_t row = pixel / 32;
        const std::size_t column = pixel % 32;
        if (column < 8 || column > 23 || row < 9 || row > 23) {
            EXPECT_EQ(pixmaps[0].argb[pixel * 4], 0) << row << " " << column;
        }
    }
    EXPECT_THAT(menu_lines(client.layout(service)),
                ElementsAre("Daemon offline (disabled)", "---", "Open status dashboard",
                            "Start daemon", "---", "Quit tray"));

    standin.run("init");
    ASSERT_TRUE(client.send_event(service, id_of(service, "Start daemon")));
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
    ASSERT_TRUE(tooltip_becomes(service, "Pellamy - Vault locked"));
    EXPECT_THAT(menu_lines(client.layout(service)),
                ElementsAre("Vault locked (disabled)", "---", "Open status dashboard",
                            "Start daemon (disabled)", "---", "Quit tray"));
}

TEST_F(TrayOnTheBus, MenuInGermanAlsoForAGlibClient) {
    auto tray = start("de");
    const auto service = service_of(tray);
    ASSERT_TRUE(tooltip_becomes(service, "Pellamy - Dienst offline"));
    EXPECT_THAT(menu_lines(client.layout(service)),
                ElementsAre("Dienst offline (disabled)", "---", "Statusseite öffnen",
                            "Dienst starten", "---", "Tray beenden"));
    const auto script = std::string{PELLAMY_SOURCE_DIR} + "/tests/desktop/dbus/dbusmenu_labels.py";
    const auto result = testing::run_process({"/usr/bin/python3", script, service, "/MenuBar"},
                                             {"DBUS_SESSION_BUS_ADDRESS=" + bus.address()});
    ASSERT_EQ(result.exit_status, 0) << result.err;
    EXPECT_EQ(result.out,
              "Dienst offline (disabled)\n---\nStatusseite öffnen\nDienst starten\n---\n"
              "Tray beenden\n");
}

TEST_F(TrayOnTheBus, OpenAndQuitClicks) {
    auto tray = start("en");
    const auto service = service_of(tray);
    ASSERT_TRUE(tooltip_becomes(service, "Pellamy - Daemon offline"));

    ASSERT_TRUE(client.send_event(service, id_of(service, "Open status dashboard")));
    ASSERT_TRUE(testing::eventually([&] { return browser.urls().size() == 1; }));
    EXPECT_THAT(browser.urls().front(), ::testing::StartsWith("http://127.0.0.1:"));

    ASSERT_TRUE(client.send_event(service, id_of(service, "Quit tray")));
    const auto status = tray.wait();
    ASSERT_TRUE(status);
    EXPECT_EQ(status->code(), 0);
    EXPECT_FALSE(client.has_owner(service));
}

}  // namespace
}  // namespace pellamy
