#pragma once

#include <expected>
#include <functional>
#include <memory>

#include "desktop/native/backend.hpp"
#include "desktop/native/control_flow.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/event.hpp"
#include "desktop/native/event_queue.hpp"
#include "desktop/unique_fd.hpp"

namespace pellamy::desktop::native {

// Posts menu events to a loop from any thread.
class EventLoopProxy {
public:
    explicit EventLoopProxy(std::shared_ptr<EventQueue> queue) : queue_(std::move(queue)) {}

    // Wakes the loop, which hands the event to its handler in a later
    // iteration. Fails once the loop is gone.
    std::expected<void, Error> post(MenuEvent event) const {
        return queue_->push(std::move(event));
    }

private:
    std::shared_ptr<EventQueue> queue_;
};

// The main thread's event loop. It sleeps in poll() on the proxy's eventfd,
// a signalfd for the termination signals and the backend's own descriptors.
class EventLoop {
public:
    using Handler = std::function<void(const Event&, ControlFlow&)>;

    // Fails on any thread but the main thread.
    static std::expected<EventLoop, Error> create(std::shared_ptr<Backend> backend);

    EventLoop(EventLoop&&) noexcept = default;
    EventLoop& operator=(EventLoop&&) = delete;
    ~EventLoop();

    EventLoopProxy proxy() const { return EventLoopProxy{queue_}; }
    const std::shared_ptr<Backend>& backend() const { return backend_; }

    // Calls the handler with the start event, then with every event until the
    // handler asks to exit or a termination signal arrives (exit code 0), and
    // returns the exit code. Once ended, a later run returns at once.
    int run(const Handler& handler);

private:
    EventLoop(std::shared_ptr<Backend> backend, std::shared_ptr<EventQueue> queue, UniqueFd signals)
        : backend_(std::move(backend)), queue_(std::move(queue)), signals_(std::move(signals)) {}

    // One poll() round: a termination signal ends the loop, posted events and
    // a passed deadline go to the handler.
    void wait_and_dispatch(const Handler& handler);

    std::shared_ptr<Backend> backend_;
    std::shared_ptr<EventQueue> queue_;
    UniqueFd signals_;
    ControlFlow flow_;
    bool started_ = false;
};

}  // namespace pellamy::desktop::native
