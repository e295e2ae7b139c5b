#include "desktop/native/signals.hpp"

#include <pthread.h>

namespace pellamy::desktop::native {

sigset_t termination_signals() noexcept {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

void block_termination_signals() noexcept {
    const sigset_t set = termination_signals();
    // Cannot fail: the operation and the set are valid.
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace pellamy::desktop::native
