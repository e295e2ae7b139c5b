#include "desktop/native/render.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "desktop/process.hpp"
#include "i18n/language_cell.hpp"
#include "support/standin.hpp"
#include "tray_fixture.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using RenderTest = TrayFixture;

StatusSnapshot connected_without_record() {
    auto snapshot = probed(std::nullopt);
    snapshot.connected = true;
    return snapshot;
}

TEST_F(RenderTest, MenuHasSixEntriesInOrderWithTheirTextsAndFlags) {
    const auto& entries = state.menu.menu.model()->entries;
    ASSERT_EQ(entries.size(), 6U);
    struct Expected {
        bool separator;
        const char* text;
        bool enabled;
    };
    const Expected expected[] = {{false, "Waiting for Pellamy", false},
                                 {true, "", true},
                                 {false, "Open status dashboard", true},
                                 {false, "Start daemon", true},
                                 {true, "", true},
                                 {false, "Quit tray", true}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i]->separator, expected[i].separator);
        EXPECT_EQ(entries[i]->text, expected[i].text);
        EXPECT_EQ(entries[i]->enabled, expected[i].enabled);
    }
    EXPECT_EQ(entries[0]->id, state.menu.status.id());
    EXPECT_EQ(entries[2]->id, state.menu.open.id());
    EXPECT_EQ(entries[3]->id, state.menu.start.id());
    EXPECT_EQ(entries[5]->id, state.menu.quit.id());
}

TEST(TrayMenu, RefusedItemIsTheError) {
    auto backend = std::make_shared<testing::TestBackend>();
    backend->fail(testing::TestBackend::Operation::Append);
    const auto loop = EventLoop::create(backend).value();
    const auto menu = build_tray_menu(loop);
    ASSERT_FALSE(menu);
    EXPECT_THAT(menu.error().message(), ::testing::StartsWith("Test backend refused: append"));
    EXPECT_EQ(backend->calls().size(), 1U);
}

TEST_F(RenderTest, StatusLineStartItemAndTooltipFollowTheSnapshot) {
    struct Case {
        const char* name;
        StatusSnapshot snapshot;
        bool daemon_tracked;
        const char* text;
        bool start_enabled;
    };
    const Case cases[] = {
        {"offline", probed(std::nullopt), false, "Daemon offline", true},
        {"offline, daemon starting", probed(std::nullopt), true, "Daemon offline", false},
        {"no record", connected_without_record(), false, "Setup required", false},
        {"not set up", probed(record(false, true)), false, "Setup required", false},
        {"locked", probed(record(true, false)), false, "Vault locked", false},
        {"unlocked", probed(record(true, true)), false, "Vault unlocked", false},
    };
    // A daemon child to track: a sleep that this test ends.
    auto sleeper = spawn(Command{.program = "/bin/sleep",
                                 .args = {"sleep", "30"},
                                 .input = Stdio::Null,
                                 .output = Stdio::Null,
                                 .error = Stdio::Null});
    ASSERT_TRUE(sleeper);
    const pid_t sleeper_pid = sleeper->pid();
    show_icon();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.daemon_tracked) {
            state.daemon.emplace(std::move(*sleeper));
        }
        state.rendered.reset();
        render(state, c.snapshot);
        EXPECT_EQ(state.menu.status.text(), c.text);
        EXPECT_FALSE(state.menu.status.enabled());
        EXPECT_EQ(state.menu.start.enabled(), c.start_enabled);
        EXPECT_EQ(state.icon->model().tooltip, std::string{"Pellamy - "} + c.text);
        if (state.daemon) {
            ::kill(sleeper_pid, SIGKILL);
            ASSERT_TRUE(testing::eventually([&] { return state.daemon->has_ended(); }));
            state.daemon.reset();
        }
    }
}

TEST_F(RenderTest, OnlyAChangeOfTheTripleUpdatesTheMenuAndIcon) {
    show_icon();
    const auto start = backend->calls().size();
    const StatusSnapshot sequence[] = {probed(std::nullopt),        probed(std::nullopt),
                                       probed(record(true, false)), probed(record(true, false)),
                                       probed(record(true, false)), probed(std::nullopt)};
    for (const auto& snapshot : sequence) {
        render(state, snapshot);
    }
    const auto status = state.menu.status.id();
    const auto starter = state.menu.start.id();
    EXPECT_THAT(calls_since(start),
                ElementsAre("change " + status + " \"Daemon offline\" disabled",
                            "change " + starter + " \"Start daemon\" enabled",
                            "tooltip \"Pellamy - Daemon offline\"", "image template",
                            "change " + status + " \"Vault locked\" disabled",
                            "change " + starter + " \"Start daemon\" disabled",
                            "tooltip \"Pellamy - Vault locked\"", "image template",
                            "change " + status + " \"Daemon offline\" disabled",
                            "change " + starter + " \"Start daemon\" enabled",
                            "tooltip \"Pellamy - Daemon offline\"", "image template"));
}

TEST_F(RenderTest, ActionTextStaysUntilTheTripleChanges) {
    render(state, probed(std::nullopt));
    state.menu.status.set_text("Could not start daemon");
    render(state, probed(std::nullopt));
    EXPECT_EQ(state.menu.status.text(), "Could not start daemon");
    render(state, probed(record(false, false)));
    EXPECT_EQ(state.menu.status.text(), "Setup required");
}

TEST_F(RenderTest, RefusedTooltipAndImageLeaveTheMenuUpdated) {
    show_icon();
    backend->fail(testing::TestBackend::Operation::SetTooltip);
    backend->fail(testing::TestBackend::Operation::SetImage);
    render(state, probed(record(true, true)));
    EXPECT_EQ(state.menu.status.text(), "Vault unlocked");
    EXPECT_FALSE(state.menu.start.enabled());
    EXPECT_EQ(state.icon->model().tooltip, "Pellamy");
    EXPECT_EQ(state.rendered, (StatusTriple{true, true, true}));
}

TEST_F(RenderTest, WithoutAnIconOnlyTheMenuChanges) {
    const auto start = backend->calls().size();
    render(state, probed(std::nullopt));
    EXPECT_EQ(calls_since(start).size(), 2U);
    EXPECT_EQ(state.menu.status.text(), "Daemon offline");
}

// The language is chosen once per process, so this case runs in a fresh one.
TEST(RenderLanguage, GermanStatusLineAndTooltip) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            i18n::language_cell().set(i18n::Language::German);
            auto backend = std::make_shared<testing::TestBackend>();
            const auto loop = EventLoop::create(backend).value();
            TrayState state{build_tray_menu(loop).value()};
            state.icon.emplace(
                TrayIcon::create(loop, make_icon().value(), "Pellamy", state.menu.menu).value());
            render(state, probed(std::nullopt));
            std::fprintf(stderr, "[%s|%s|%s]\n", state.menu.start.text().c_str(),
                         state.menu.status.text().c_str(), state.icon->model().tooltip.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        R"(\[Dienst starten\|Dienst offline\|Pellamy - Dienst offline\])");
}

}  // namespace
}  // namespace pellamy::desktop::native
