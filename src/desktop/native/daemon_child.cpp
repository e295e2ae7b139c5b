#include "desktop/native/daemon_child.hpp"

#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>

namespace pellamy::desktop::native {
namespace {

void reap(pid_t pid) noexcept {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

DaemonChild::~DaemonChild() {
    if (child_.pid() < 0 || has_ended()) {
        return;
    }
    const pid_t pid = child_.release();
    try {
        std::thread{reap, pid}.detach();
    } catch (const std::system_error&) {
        // No thread: the daemon is left to itself and becomes a zombie when it ends.
    }
}

bool DaemonChild::has_ended() {
    const auto status = child_.try_wait();
    return status && status->has_value();
}

}  // namespace pellamy::desktop::native
