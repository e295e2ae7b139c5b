#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/center_config.hpp"
#include "core/rag_config.hpp"

namespace pellamy::config {

// The tray's own dashboard settings.
struct DesktopSettings {
    std::uint16_t port = 0;  // 0: the operating system picks a free port
    bool open_browser = true;

    bool operator==(const DesktopSettings&) const = default;
};

// The configuration file's content.
struct Settings {
    std::optional<std::filesystem::path> storage_dir;
    std::optional<std::string> relay_url;
    DesktopSettings desktop;
    std::vector<core::CenterConfig> centers;
    core::Config rag;

    bool operator==(const Settings&) const = default;
};

}  // namespace pellamy::config
