#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/native/event_loop.hpp"
#include "desktop/native/tray_image.hpp"
#include "desktop/native/tray_menu.hpp"
#include "desktop/native/tray_state.hpp"
#include "support/test_backend.hpp"

namespace pellamy::desktop::native {

// A snapshot as the monitor writes it; no record means the probe failed.
inline StatusSnapshot probed(std::optional<DesktopStatus> service) {
    return StatusSnapshot::probed(std::move(service), 0);
}

inline DesktopStatus record(bool initialized, bool unlocked) {
    return DesktopStatus{.version = "1.0",
                         .initialized = initialized,
                         .unlocked = unlocked,
                         .details = std::nullopt};
}

// The tray's menu on the test backend, its icon shown, nothing rendered yet.
class TrayFixture : public ::testing::Test {
protected:
    std::shared_ptr<testing::TestBackend> backend = std::make_shared<testing::TestBackend>();
    EventLoop loop = EventLoop::create(backend).value();
    TrayState state{build_tray_menu(loop).value()};

    void show_icon() {
        state.icon.emplace(
            TrayIcon::create(loop, make_icon().value(), "Pellamy", state.menu.menu).value());
    }

    // The backend's calls from now on.
    std::vector<std::string> calls_since(std::size_t start) const {
        const auto& calls = backend->calls();
        return {calls.begin() + static_cast<std::ptrdiff_t>(start), calls.end()};
    }
};

}  // namespace pellamy::desktop::native
