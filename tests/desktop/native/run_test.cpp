#include "desktop/native/run.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "desktop/native/tray_handler.hpp"
#include "support/raw_http.hpp"
#include "support/standin.hpp"
#include "tray_fixture.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TestBackend;

Dashboard start_dashboard(const testing::StandIn& standin) {
    return Dashboard::start(ToolPaths{standin.tool(), standin.home(), std::nullopt}, 0).value();
}

// The handler on the test backend, driven one event at a time.
class TrayHandlerTest : public ::testing::Test {
protected:
    testing::StandIn standin;
    testing::BrowserRecorder browser;
    std::shared_ptr<TestBackend> backend = std::make_shared<TestBackend>();
    EventLoop loop = EventLoop::create(backend).value();
    Dashboard dashboard = start_dashboard(standin);
    TrayHandler handler{loop, build_tray_menu(loop).value(), dashboard, true};
    ControlFlow flow;

    void TearDown() override { standin.run("stop"); }

    const TrayMenu& menu() const { return handler.state().menu; }
};

TEST_F(TrayHandlerTest, StartEventShowsTheIconRendersAndOpensTheDashboard) {
    const auto before = ControlFlow::Clock::now();
    handler(StartEvent{}, flow);

    const auto& calls = backend->calls();
    const auto shown =
        std::ranges::find(calls, "show " + menu().menu.model()->id + " \"Pellamy\" template");
    ASSERT_NE(shown, calls.end());
    EXPECT_EQ(*(shown + 1), "change " + menu().status.id() + " \"Daemon offline\" disabled");
    EXPECT_EQ(calls.back(), "image template");
    EXPECT_THAT(browser.urls(), ElementsAre(dashboard.url()));
    EXPECT_FALSE(flow.exit_code());
    ASSERT_TRUE(flow.deadline());
    EXPECT_GE(*flow.deadline(), before + refresh_period);
}

TEST_F(TrayHandlerTest, StatusLineNeverWaitsOnceStarted) {
    handler(StartEvent{}, flow);
    for (const Event& event : {Event{WakeUp{}}, Event{MenuEvent{"none"}}, Event{WakeUp{}}}) {
        handler(event, flow);
        EXPECT_NE(menu().status.text(), "Waiting for Pellamy");
    }
}

TEST_F(TrayHandlerTest, MenuEventsActOnTheirItem) {
    handler(StartEvent{}, flow);
    const auto calls = backend->calls().size();

    handler(MenuEvent{"no such item"}, flow);
    EXPECT_EQ(backend->calls().size(), calls);
    EXPECT_EQ(browser.urls().size(), 1U);
    EXPECT_FALSE(flow.exit_code());

    handler(MenuEvent{menu().open.id()}, flow);
    EXPECT_THAT(browser.urls(), ElementsAre(dashboard.url(), dashboard.url()));

    handler(MenuEvent{menu().start.id()}, flow);
    ASSERT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
    EXPECT_TRUE(handler.state().daemon);
    EXPECT_FALSE(menu().start.enabled());
    EXPECT_FALSE(flow.exit_code());

    handler(MenuEvent{menu().quit.id()}, flow);
    EXPECT_EQ(flow.exit_code(), 0);
}

TEST_F(TrayHandlerTest, RefusedIconEndsTheLoopWithoutABrowser) {
    backend->fail(TestBackend::Operation::ShowIcon);
    handler(StartEvent{}, flow);
    EXPECT_EQ(flow.exit_code(), 0);
    EXPECT_THAT(browser.urls(), IsEmpty());
    EXPECT_EQ(menu().status.text(), "Daemon offline");
    const auto error = handler.finish();
    ASSERT_TRUE(error);
    EXPECT_THAT(error->message(), ::testing::StartsWith("Test backend refused: show"));
}

// native::run from start to end, with the user's clicks queued on the backend.
class TrayRunTest : public ::testing::Test {
protected:
    testing::StandIn standin;
    testing::BrowserRecorder browser;
    std::shared_ptr<TestBackend> backend = std::make_shared<TestBackend>();

    void TearDown() override { standin.run("stop"); }
};

TEST_F(TrayRunTest, QuitLeavesAStartedDaemonRunning) {
    backend->then([&] { EXPECT_TRUE(backend->click_text("Start daemon")); });
    backend->then([&] {
        EXPECT_TRUE(testing::eventually([&] { return standin.daemon_pid().has_value(); }));
        EXPECT_TRUE(backend->click_text("Quit tray"));
    });
    const auto ran = run(backend, start_dashboard(standin), false);

    EXPECT_TRUE(ran);
    EXPECT_EQ(backend->calls().back(), "remove");
    EXPECT_THAT(browser.urls(), IsEmpty());
    const auto daemon = standin.daemon_pid();
    ASSERT_TRUE(daemon);
    EXPECT_TRUE(testing::process_alive(*daemon));
}

TEST_F(TrayRunTest, RefusedIconIsReturnedAfterMonitorAndServerStopped) {
    const auto threads = testing::thread_count();
    backend->fail(TestBackend::Operation::ShowIcon);
    auto dashboard = start_dashboard(standin);
    const auto port = web::testing::port_of(dashboard.url());
    EXPECT_EQ(web::testing::connect_error("127.0.0.1", port), 0);

    const auto ran = run(backend, std::move(dashboard), true);

    ASSERT_FALSE(ran);
    EXPECT_THAT(ran.error().message(), ::testing::StartsWith("Test backend refused: show"));
    EXPECT_THAT(browser.urls(), IsEmpty());
    EXPECT_EQ(testing::thread_count(), threads);
    EXPECT_EQ(web::testing::connect_error("127.0.0.1", port), ECONNREFUSED);
}

TEST_F(TrayRunTest, RefusedMenuIsReturnedBeforeTheLoopRuns) {
    backend->fail(TestBackend::Operation::Append);
    const auto ran = run(backend, start_dashboard(standin), true);
    ASSERT_FALSE(ran);
    EXPECT_THAT(backend->calls(), ElementsAre(::testing::StartsWith("append")));
    EXPECT_THAT(browser.urls(), IsEmpty());
}

}  // namespace
}  // namespace pellamy::desktop::native
