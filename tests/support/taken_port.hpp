#pragma once

#include <cstdint>

#include "desktop/unique_fd.hpp"

namespace pellamy::testing {

// A port on 127.0.0.1 that another program holds: a listening socket, closed
// when the object goes.
class TakenPort {
public:
    TakenPort();

    std::uint16_t port() const { return port_; }

private:
    desktop::UniqueFd socket_;
    std::uint16_t port_ = 0;
};

}  // namespace pellamy::testing
