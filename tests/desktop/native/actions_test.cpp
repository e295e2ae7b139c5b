#include "desktop/native/actions.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop/native/render.hpp"
#include "support/standin.hpp"
#include "tray_fixture.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ActionsTest : public TrayFixture {
protected:
    testing::StandIn standin;
    ToolPaths paths{standin.tool(), standin.home(), std::nullopt};

    void TearDown() override {
        standin.run("stop");
        EXPECT_TRUE(testing::eventually([&] { return !standin.daemon_pid(); }));
    }

    std::vector<std::vector<std::string>> daemon_runs() const {
        auto runs = standin.invocations();
        std::erase_if(runs, [](const auto& args) { return args.back() != "daemon"; });
        return runs;
    }
};

TEST_F(ActionsTest, DaemonArgumentsWithAndWithoutAConfigurationFile) {
    const auto home = standin.home().string();
    start_daemon(state, paths);
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
    standin.run("stop");
    ASSERT_TRUE(testing::eventually([&] { return state.daemon->has_ended(); }));
    check_daemon(state);

    paths.config_file = standin.dir() / "config.toml";
    start_daemon(state, paths);
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
    EXPECT_THAT(daemon_runs(), ElementsAre(ElementsAre("--home", home, "daemon"),
                                           ElementsAre("--config", paths.config_file->string(),
                                                       "--home", home, "daemon")));
}

TEST_F(ActionsTest, StartedDaemonIsTrackedUntilItEnds) {
    render(state, probed(std::nullopt));
    start_daemon(state, paths);
    ASSERT_TRUE(state.daemon);
    EXPECT_FALSE(state.menu.start.enabled());
    EXPECT_EQ(state.menu.status.text(), "Daemon offline");
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));

    start_daemon(state, paths);
    check_daemon(state);
    render(state, probed(std::nullopt));
    EXPECT_TRUE(state.daemon);
    EXPECT_FALSE(state.menu.start.enabled());
    EXPECT_EQ(daemon_runs().size(), 1U);

    state.menu.status.set_text("Could not open browser; try Open status dashboard");
    standin.run("stop");
    ASSERT_TRUE(testing::eventually([&] {
        check_daemon(state);
        return !state.daemon;
    }));
    render(state, probed(std::nullopt));
    EXPECT_TRUE(state.menu.start.enabled());
    EXPECT_EQ(state.menu.status.text(), "Daemon offline");
}

TEST_F(ActionsTest, DaemonThatCannotStartLeavesStartEnabled) {
    render(state, probed(std::nullopt));
    paths.tool = standin.dir() / "missing";
    start_daemon(state, paths);
    EXPECT_FALSE(state.daemon);
    EXPECT_TRUE(state.menu.start.enabled());
    EXPECT_EQ(state.menu.status.text(), "Could not start daemon");
}

TEST_F(ActionsTest, DashboardUrlGoesToTheBrowser) {
    const testing::BrowserRecorder browser;
    open_dashboard(state, "http://127.0.0.1:4242/#token=abc");
    EXPECT_THAT(browser.urls(), ElementsAre("http://127.0.0.1:4242/#token=abc"));
    EXPECT_EQ(state.menu.status.text(), "Waiting for Pellamy");
}

TEST_F(ActionsTest, FailingBrowserShowsItsText) {
    const testing::BrowserRecorder browser{1};
    render(state, probed(std::nullopt));
    open_dashboard(state, "http://127.0.0.1:4242/#token=abc");
    EXPECT_EQ(browser.urls().size(), 1U);
    EXPECT_EQ(state.menu.status.text(), "Could not open browser; try Open status dashboard");
}

}  // namespace
}  // namespace pellamy::desktop::native
