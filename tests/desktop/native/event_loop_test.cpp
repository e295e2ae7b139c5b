#include "desktop/native/event_loop.hpp"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "desktop/native/headless_backend.hpp"
#include "desktop/native/menu_event.hpp"

namespace pellamy::desktop::native {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;
using Clock = ControlFlow::Clock;
using namespace std::chrono_literals;

EventLoop make_loop(std::shared_ptr<Backend> backend = std::make_shared<HeadlessBackend>()) {
    auto loop = EventLoop::create(std::move(backend));
    EXPECT_TRUE(loop.has_value());
    return std::move(*loop);
}

TEST(EventLoop, RefusesOtherThreads) {
    std::optional<std::string> message;
    std::thread{[&] {
        auto loop = EventLoop::create(std::make_shared<HeadlessBackend>());
        if (!loop) {
            message = loop.error().message();
        }
    }}.join();
    EXPECT_EQ(message, "The event loop must be created on the main thread");
}

TEST(EventLoop, DeliversStartFirstAndOnceThenPostedEvents) {
    EventLoop loop = make_loop();
    ASSERT_TRUE(loop.proxy().post({"early"}));
    std::vector<Event> seen;
    const int code = loop.run([&](const Event& event, ControlFlow& flow) {
        seen.push_back(event);
        if (std::holds_alternative<StartEvent>(event)) {
            ASSERT_TRUE(loop.proxy().post({"from handler"}));
        } else if (event == Event{MenuEvent{"from handler"}}) {
            flow.exit(7);
        }
    });
    EXPECT_EQ(code, 7);
    EXPECT_THAT(seen, ElementsAre(Event{StartEvent{}}, Event{MenuEvent{"early"}},
                                  Event{MenuEvent{"from handler"}}));
}

TEST(EventLoop, WakesAtTheDeadlineWithoutEvents) {
    EventLoop loop = make_loop();
    Clock::time_point deadline;
    std::vector<Clock::time_point> wake_ups;
    loop.run([&](const Event& event, ControlFlow& flow) {
        if (std::holds_alternative<WakeUp>(event)) {
            wake_ups.push_back(Clock::now());
        }
        if (wake_ups.size() == 3) {
            flow.exit(0);
            return;
        }
        deadline = Clock::now() + 20ms;
        flow.wait_until(deadline);
    });
    ASSERT_THAT(wake_ups, SizeIs(3));
    EXPECT_GE(wake_ups.back(), deadline);
}

TEST(EventLoop, EventsFromAnotherThreadArriveInOrder) {
    constexpr int count = 2000;
    EventLoop loop = make_loop();
    std::thread poster{[proxy = loop.proxy()] {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(proxy.post({std::to_string(i)}));
        }
    }};
    std::vector<std::string> ids;
    loop.run([&](const Event& event, ControlFlow& flow) {
        if (const auto* menu = std::get_if<MenuEvent>(&event)) {
            ids.push_back(menu->id);
        }
        if (ids.size() == count) {
            flow.exit(0);
        }
    });
    poster.join();
    ASSERT_THAT(ids, SizeIs(count));
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(ids[static_cast<std::size_t>(i)], std::to_string(i));
    }
}

TEST(EventLoop, ExitIsFinal) {
    EventLoop loop = make_loop();
    ASSERT_TRUE(loop.proxy().post({"queued"}));
    int calls = 0;
    const auto handler = [&](const Event&, ControlFlow& flow) {
        ++calls;
        flow.exit(3);
        flow.exit(4);
        flow.wait_until(Clock::now());
    };
    EXPECT_EQ(loop.run(handler), 3);
    EXPECT_EQ(loop.run(handler), 3);
    EXPECT_EQ(calls, 1);
}

TEST(EventLoop, PostingAfterTheLoopIsGoneFails) {
    std::optional<EventLoopProxy> proxy;
    {
        EventLoop loop = make_loop();
        proxy = loop.proxy();
        ASSERT_TRUE(proxy->post({"while alive"}));
    }
    const auto posted = proxy->post({"too late"});
    ASSERT_FALSE(posted);
    EXPECT_EQ(posted.error().message(), "The event loop has ended");
}

class EventLoopSignal : public ::testing::TestWithParam<int> {};

TEST_P(EventLoopSignal, EndsTheLoopWithCodeZero) {
    EventLoop loop = make_loop();
    std::vector<Event> seen;
    const int code = loop.run([&](const Event& event, ControlFlow& flow) {
        seen.push_back(event);
        // Far away: only the signal can end this wait.
        flow.wait_until(Clock::now() + 1h);
        ::kill(::getpid(), GetParam());
    });
    EXPECT_EQ(code, 0);
    EXPECT_THAT(seen, ElementsAre(Event{StartEvent{}}));
    sigset_t pending;
    ::sigpending(&pending);
    EXPECT_EQ(::sigismember(&pending, GetParam()), 0);
}

INSTANTIATE_TEST_SUITE_P(Termination, EventLoopSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

// A backend with a descriptor and a short timeout of its own. After a few
// rounds it reports a click, as a real backend does on its bus.
class PipeBackend : public HeadlessBackend {
public:
    PipeBackend() { EXPECT_EQ(::pipe2(fds_, O_CLOEXEC), 0); }
    ~PipeBackend() override {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }

    void prepare_poll(PollRequest& request) override {
        request.watch(fds_[0], POLLIN);
        request.wake_by(Clock::now() + 5ms);
    }
    void dispatch_poll(std::span<const pollfd> own) override {
        ASSERT_THAT(own, SizeIs(1));
        EXPECT_EQ(own[0].fd, fds_[0]);
        if ((own[0].revents & POLLIN) != 0) {
            char byte = 0;
            EXPECT_EQ(::read(fds_[0], &byte, 1), 1);
            ++bytes_read;
        }
        if (++rounds == 5) {
            emit_menu_event({"clicked"});
        }
    }
    void make_readable() { EXPECT_EQ(::write(fds_[1], "x", 1), 1); }

    int rounds = 0;
    int bytes_read = 0;

private:
    int fds_[2];
};

TEST(EventLoop, PollsTheBackendsDescriptorsAndTimeout) {
    auto backend = std::make_shared<PipeBackend>();
    EventLoop loop = make_loop(backend);
    set_menu_event_callback(
        [proxy = loop.proxy()](const MenuEvent& event) { ASSERT_TRUE(proxy.post(event)); });
    std::vector<Event> seen;
    loop.run([&](const Event& event, ControlFlow& flow) {
        seen.push_back(event);
        // Only the backend's own timeout can wake the loop before this.
        flow.wait_until(Clock::now() + 1h);
        if (std::holds_alternative<StartEvent>(event)) {
            backend->make_readable();
        } else {
            flow.exit(0);
        }
    });
    clear_menu_event_callback();
    EXPECT_EQ(backend->bytes_read, 1);
    EXPECT_GE(backend->rounds, 5);
    EXPECT_THAT(seen, ElementsAre(Event{StartEvent{}}, Event{MenuEvent{"clicked"}}));
}

}  // namespace
}  // namespace pellamy::desktop::native
