#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <optional>

#include "config/error.hpp"
#include "config/settings.hpp"

namespace pellamy::config {

struct Configuration {
    Settings settings;
    std::filesystem::path path;  // absolute, whether or not the file existed
    bool from_file = false;      // false: the default file was missing, defaults apply

    // The given file, else PELLAMY_CONFIG, else the default file (which alone may
    // be missing), read and checked.
    static std::expected<Configuration, Error> load(
        const std::optional<std::filesystem::path>& config);

    // The given home, else PELLAMY_HOME, else storage_dir, else the default home.
    std::expected<std::filesystem::path, Error> home(
        const std::optional<std::filesystem::path>& home) const;

    // The effective dashboard settings: overrides, then PELLAMY_WEBUI_PORT and
    // PELLAMY_OPEN_BROWSER, then the desktop table.
    std::expected<DesktopSettings, Error> desktop(std::optional<std::uint16_t> port_override,
                                                  std::optional<bool> browser_override) const;

    bool operator==(const Configuration&) const = default;
};

}  // namespace pellamy::config
