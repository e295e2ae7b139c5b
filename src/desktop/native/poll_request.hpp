#pragma once

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

namespace pellamy::desktop::native {

// One round of the event loop's poll(): the descriptors to watch and the
// instant to wake at the latest. Backends add their own to both.
struct PollRequest {
    using Clock = std::chrono::steady_clock;

    std::vector<pollfd> fds;
    std::optional<Clock::time_point> deadline;

    void watch(int fd, short events) { fds.push_back(pollfd{fd, events, 0}); }
    void wake_by(Clock::time_point instant) {
        deadline = deadline ? std::min(*deadline, instant) : instant;
    }
};

}  // namespace pellamy::desktop::native
