#pragma once

#include <expected>
#include <memory>

#include "desktop/dashboard.hpp"
#include "desktop/native/backend.hpp"
#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

// Keeps the main thread in the tray's event loop until "Quit tray" or a
// termination signal, then stops everything in order: the icon, the click
// route, the toolkit, the monitor and last the dashboard server. Returns the
// error that ended the loop early, such as an icon the toolkit refused.
std::expected<void, Error> run(std::shared_ptr<Backend> backend, Dashboard dashboard,
                               bool open_browser);

// The same on this machine's own tray.
std::expected<void, Error> run(Dashboard dashboard, bool open_browser);

}  // namespace pellamy::desktop::native
