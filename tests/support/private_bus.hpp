#pragma once

#include <optional>
#include <string>

#include "desktop/process.hpp"
#include "support/temp_dir.hpp"

namespace pellamy::testing {

// A session bus of the test's own: a dbus-daemon on a socket in a temporary
// directory, killed when this goes.
class PrivateBus {
public:
    PrivateBus();

    // "unix:path=…", ready for connections.
    const std::string& address() const { return address_; }

private:
    TempDir dir_;
    std::optional<desktop::Child> daemon_;
    std::string address_;
};

}  // namespace pellamy::testing
