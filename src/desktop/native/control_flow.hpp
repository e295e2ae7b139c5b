#pragma once

#include <chrono>
#include <optional>

namespace pellamy::desktop::native {

// What the loop does after the handler returns: sleep until an instant (or an
// event), or end. Ending is final: the first exit code stays, and later
// requests to wait do not undo it.
class ControlFlow {
public:
    using Clock = std::chrono::steady_clock;

    void wait_until(Clock::time_point deadline) noexcept { deadline_ = deadline; }
    void exit(int code) noexcept {
        if (!exit_code_) {
            exit_code_ = code;
        }
    }

    // None: wait for events only.
    std::optional<Clock::time_point> deadline() const noexcept { return deadline_; }
    std::optional<int> exit_code() const noexcept { return exit_code_; }

private:
    std::optional<Clock::time_point> deadline_;
    std::optional<int> exit_code_;
};

}  // namespace pellamy::desktop::native
