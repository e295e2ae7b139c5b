#include "desktop/native/backend.hpp"
#include "desktop/native/dbus_backend.hpp"
#include "desktop/native/headless_backend.hpp"

namespace pellamy::desktop::native {

std::shared_ptr<Backend> platform_backend() {
    // Without a session bus or a tray host there is nothing to draw on.
    if (auto bus = open_session_bus()) {
        if (auto tray = DbusBackend::connect(std::move(*bus))) {
            return std::move(*tray);
        }
    }
    return std::make_shared<HeadlessBackend>();
}

}  // namespace pellamy::desktop::native
