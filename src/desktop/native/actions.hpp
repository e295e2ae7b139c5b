#pragma once

#include <string>

#include "desktop/dashboard.hpp"
#include "desktop/native/tray_state.hpp"

namespace pellamy::desktop::native {

// Runs the tool's "daemon" subcommand without waiting for it and tracks the
// child; does nothing while one is tracked. Failures show on the status line.
void start_daemon(TrayState& state, const ToolPaths& paths);

// Untracks a daemon child that has ended and marks the menu for a fresh render.
void check_daemon(TrayState& state);

// Hands the URL to the browser launcher and waits for it; a failure shows on
// the status line.
void open_dashboard(TrayState& state, const std::string& url);

}  // namespace pellamy::desktop::native
