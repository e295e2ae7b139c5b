#pragma once

#include <expected>
#include <filesystem>
#include <string>

#include "command_line.hpp"
#include "config/configuration.hpp"

namespace pellamy::desktop {

// The tray entry: resolves the dashboard's port and whether to open it, starts
// the monitor and the dashboard, and keeps the main thread in the tray until
// the user quits. The error is the one line start-up reports.
std::expected<void, std::string> tray(const std::filesystem::path& home, const DesktopArgs& args,
                                      const config::Configuration& configuration);

}  // namespace pellamy::desktop
