#pragma once

#include <deque>
#include <expected>
#include <memory>
#include <mutex>

#include "desktop/native/error.hpp"
#include "desktop/native/event.hpp"
#include "desktop/unique_fd.hpp"

namespace pellamy::desktop::native {

// The menu events posted to a loop, and the eventfd that wakes its poll().
// Shared by the loop and its proxies; closed when the loop goes.
class EventQueue {
public:
    static std::expected<std::shared_ptr<EventQueue>, Error> create();

    explicit EventQueue(UniqueFd wake) : wake_(std::move(wake)) {}

    // Thread-safe. Fails once the queue is closed.
    std::expected<void, Error> push(MenuEvent event);
    // The events posted so far, oldest first; resets the wake-up descriptor.
    std::deque<MenuEvent> take();
    void close();

    int wake_fd() const { return wake_.get(); }

private:
    std::mutex mutex_;
    std::deque<MenuEvent> events_;
    bool closed_ = false;
    UniqueFd wake_;
};

}  // namespace pellamy::desktop::native
