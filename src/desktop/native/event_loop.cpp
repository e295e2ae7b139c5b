#include "desktop/native/event_loop.hpp"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include "desktop/native/signals.hpp"

namespace pellamy::desktop::native {
namespace {

using Clock = ControlFlow::Clock;

bool on_main_thread() {
    return ::gettid() == ::getpid();
}

// Waits in poll() until a descriptor is ready or the deadline has passed.
void wait_for(PollRequest& request) {
    timespec timeout{};
    timespec* limit = nullptr;
    if (request.deadline) {
        const auto left = std::max(*request.deadline - Clock::now(), Clock::duration::zero());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
        timeout.tv_sec = seconds.count();
        timeout.tv_nsec = std::chrono::nanoseconds{left - seconds}.count();
        limit = &timeout;
    }
    // Interrupted (a stop and continue, say): the next round simply polls again.
    if (::ppoll(request.fds.data(), request.fds.size(), limit, nullptr) < 0) {
        for (auto& fd : request.fds) {
            fd.revents = 0;
        }
    }
}

void drain_signals(int fd) {
    signalfd_siginfo info{};
    while (::read(fd, &info, sizeof info) == sizeof info) {
    }
}

constexpr std::size_t own_fds = 2;

}  // namespace

std::expected<EventLoop, Error> EventLoop::create(std::shared_ptr<Backend> backend) {
    if (!on_main_thread()) {
        return std::unexpected{Error{"The event loop must be created on the main thread"}};
    }
    auto queue = EventQueue::create();
    if (!queue) {
        return std::unexpected{std::move(queue.error())};
    }
    // main has blocked these already; blocking again keeps the signalfd the
    // only reader even when the loop is made elsewhere on the main thread.
    block_termination_signals();
    const sigset_t signals = termination_signals();
    UniqueFd signal_fd{::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK)};
    if (!signal_fd) {
        return std::unexpected{Error::from_errno("Could not create the event loop")};
    }
    return EventLoop{std::move(backend), std::move(*queue), std::move(signal_fd)};
}

EventLoop::~EventLoop() {
    if (queue_) {
        queue_->close();
    }
}

int EventLoop::run(const Handler& handler) {
    if (!started_) {
        started_ = true;
        handler(StartEvent{}, flow_);
    }
    while (!flow_.exit_code()) {
        wait_and_dispatch(handler);
    }
    return *flow_.exit_code();
}

void EventLoop::wait_and_dispatch(const Handler& handler) {
    PollRequest request;
    request.watch(queue_->wake_fd(), POLLIN);
    request.watch(signals_.get(), POLLIN);
    request.deadline = flow_.deadline();
    backend_->prepare_poll(request);
    wait_for(request);

    if (request.fds[1].revents != 0) {
        drain_signals(signals_.get());
        flow_.exit(0);
        return;
    }
    backend_->dispatch_poll(std::span{request.fds}.subspan(own_fds));

    bool delivered = false;
    if (request.fds[0].revents != 0) {
        for (auto& event : queue_->take()) {
            if (flow_.exit_code()) {
                break;
            }
            handler(Event{std::move(event)}, flow_);
            delivered = true;
        }
    }
    const auto deadline = flow_.deadline();
    if (!delivered && !flow_.exit_code() && deadline && Clock::now() >= *deadline) {
        handler(WakeUp{}, flow_);
    }
}

}  // namespace pellamy::desktop::native
