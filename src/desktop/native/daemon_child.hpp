#pragma once

#include "desktop/process.hpp"

namespace pellamy::desktop::native {

// A daemon started from the menu. The tray never signals it: dropping a
// daemon that still runs hands it to a detached thread that only reaps it,
// so quitting the tray leaves the daemon running.
class DaemonChild {
public:
    explicit DaemonChild(Child child) : child_(std::move(child)) {}
    DaemonChild(DaemonChild&&) noexcept = default;
    DaemonChild& operator=(DaemonChild&&) = delete;
    ~DaemonChild();

    // Checks without blocking; a failed check counts as still running.
    bool has_ended();

private:
    Child child_;
};

}  // namespace pellamy::desktop::native
