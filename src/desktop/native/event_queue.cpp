#include "desktop/native/event_queue.hpp"

#include <sys/eventfd.h>

#include <cstdint>

namespace pellamy::desktop::native {

std::expected<std::shared_ptr<EventQueue>, Error> EventQueue::create() {
    UniqueFd wake{::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
    if (!wake) {
        return std::unexpected{Error::from_errno("Could not create the event loop")};
    }
    return std::make_shared<EventQueue>(std::move(wake));
}

std::expected<void, Error> EventQueue::push(MenuEvent event) {
    const std::scoped_lock lock{mutex_};
    if (closed_) {
        return std::unexpected{Error{"The event loop has ended"}};
    }
    events_.push_back(std::move(event));
    // Fails only when the counter is already huge, which wakes the loop anyway.
    const std::uint64_t one = 1;
    (void)!::write(wake_.get(), &one, sizeof one);
    return {};
}

std::deque<MenuEvent> EventQueue::take() {
    // Reset before taking: a post after this point wakes the next poll() again.
    std::uint64_t count = 0;
    (void)!::read(wake_.get(), &count, sizeof count);
    const std::scoped_lock lock{mutex_};
    return std::exchange(events_, {});
}

void EventQueue::close() {
    const std::scoped_lock lock{mutex_};
    closed_ = true;
    events_.clear();
}

}  // namespace pellamy::desktop::native
