#include "config/configuration.hpp"
#include "config/environment.hpp"
#include "config/port_number.hpp"
#include "config/utf8.hpp"

namespace pellamy::config {
namespace {

std::expected<std::uint16_t, Error> resolve_port(std::optional<std::uint16_t> port_override,
                                                 std::uint16_t configured) {
    if (port_override) {
        return *port_override;
    }
    const auto value = environment_variable("PELLAMY_WEBUI_PORT");
    if (!value) {
        return configured;
    }
    if (!is_utf8(*value)) {
        return std::unexpected{Error{"PELLAMY_WEBUI_PORT must be valid text"}};
    }
    const auto port = parse_port(*value);
    if (!port) {
        return std::unexpected{Error{"PELLAMY_WEBUI_PORT must be a port from 0 to 65535"}};
    }
    return *port;
}

std::expected<bool, Error> resolve_open_browser(std::optional<bool> browser_override,
                                                bool configured) {
    if (browser_override) {
        return *browser_override;
    }
    const auto value = environment_variable("PELLAMY_OPEN_BROWSER");
    if (!value) {
        return configured;
    }
    if (!is_utf8(*value)) {
        return std::unexpected{Error{"PELLAMY_OPEN_BROWSER must be valid text"}};
    }
    if (*value == "true" || *value == "1") {
        return true;
    }
    if (*value == "false" || *value == "0") {
        return false;
    }
    return std::unexpected{Error{"PELLAMY_OPEN_BROWSER must be true, false, 1 or 0"}};
}

}  // namespace

std::expected<DesktopSettings, Error> Configuration::desktop(
    std::optional<std::uint16_t> port_override, std::optional<bool> browser_override) const {
    const auto port = resolve_port(port_override, settings.desktop.port);
    if (!port) {
        return std::unexpected{port.error()};
    }
    const auto open_browser = resolve_open_browser(browser_override, settings.desktop.open_browser);
    if (!open_browser) {
        return std::unexpected{open_browser.error()};
    }
    return DesktopSettings{*port, *open_browser};
}

}  // namespace pellamy::config
