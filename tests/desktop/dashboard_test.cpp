#include "desktop/dashboard.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop/probe.hpp"
#include "desktop/tool.hpp"
#include "support/standin.hpp"
#include "support/taken_port.hpp"

namespace pellamy::desktop {
namespace {

using ::testing::IsEmpty;

class DashboardTest : public ::testing::Test {
protected:
    testing::StandIn standin;
    ToolPaths paths{standin.tool(), standin.home(), std::nullopt};

    void TearDown() override { standin.run("stop"); }
};

TEST_F(DashboardTest, SnapshotFollowsTheToolAndForgetsAnOldRecord) {
    auto dashboard = Dashboard::start(paths, 0);
    ASSERT_TRUE(dashboard) << dashboard.error();
    EXPECT_FALSE(dashboard->snapshot().connected);

    auto daemon = tool_command(paths.tool, paths.home, std::nullopt, "daemon");
    daemon.output = Stdio::Null;
    const auto running = spawn(daemon);
    ASSERT_TRUE(running);
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
    standin.run("init");
    standin.run("unlock");
    ASSERT_TRUE(testing::eventually([&] {
        const auto snapshot = dashboard->snapshot();
        return snapshot.connected && snapshot.service && snapshot.service->unlocked;
    }));

    standin.run("stop");
    ASSERT_TRUE(testing::eventually([&] { return !dashboard->snapshot().connected; }));
    EXPECT_FALSE(dashboard->snapshot().service);
}

TEST_F(DashboardTest, TakenPortFailsBeforeAnyThreadOrProbe) {
    const testing::TakenPort taken;
    const auto threads = testing::thread_count();

    const auto dashboard = Dashboard::start(paths, taken.port());

    ASSERT_FALSE(dashboard);
    EXPECT_EQ(dashboard.error(), "Address already in use");
    EXPECT_EQ(testing::thread_count(), threads);
    EXPECT_THAT(standin.invocations(), IsEmpty());
}

TEST_F(DashboardTest, StopKillsAHangingProbeWithoutWaitingForItsDeadline) {
    const testing::ScopedEnv hang{"PELLAMY_STANDIN_HANG", "1"};
    const auto threads = testing::thread_count();
    auto dashboard = Dashboard::start(paths, 0);
    ASSERT_TRUE(dashboard);
    ASSERT_TRUE(testing::eventually([&] { return standin.hanging_probe().has_value(); }));
    const pid_t probe = *standin.hanging_probe();

    const auto stopping = std::chrono::steady_clock::now();
    dashboard->stop();
    // Less than the probe's own deadline: the stop request ended it.
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, probe_timeout);
    EXPECT_FALSE(testing::process_alive(probe));
    EXPECT_EQ(testing::thread_count(), threads);
}

}  // namespace
}  // namespace pellamy::desktop
