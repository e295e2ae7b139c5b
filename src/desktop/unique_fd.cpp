#include "desktop/unique_fd.hpp"

#include <unistd.h>

namespace pellamy::desktop {

void UniqueFd::reset(int fd) noexcept {
    // close() releases the descriptor even when it fails; never retry it.
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

}  // namespace pellamy::desktop
