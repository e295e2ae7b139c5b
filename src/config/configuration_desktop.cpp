#include "config/configuration.hpp"
#include "config/environment.hpp"
#include "config/port_number.hpp"
#include "config/utf8.hpp"

namespace pellamy::config {
namespace {

struct Variable {
    const char* name;
    const char* not_text;   // the message when its value is not UTF-8
    const char* not_valid;  // the message when its value does not parse
};

// The override when given, else the variable when set (it must then be valid
// text and parse), else the configured value.
template <typename T, typename Parse>
std::expected<T, Error> first_present(std::optional<T> override_value, const Variable& variable,
                                      T configured, Parse parse) {
    if (override_value) {
        return *override_value;
    }
    const auto value = environment_variable(variable.name);
    if (!value) {
        return configured;
    }
    if (!is_utf8(*value)) {
        return std::unexpected{Error{variable.not_text}};
    }
    const std::optional<T> parsed = parse(*value);
    if (!parsed) {
        return std::unexpected{Error{variable.not_valid}};
    }
    return *parsed;
}

constexpr Variable port_variable{"PELLAMY_WEBUI_PORT", "PELLAMY_WEBUI_PORT must be valid text",
                                 "PELLAMY_WEBUI_PORT must be a port from 0 to 65535"};

constexpr Variable browser_variable{"PELLAMY_OPEN_BROWSER",
                                    "PELLAMY_OPEN_BROWSER must be valid text",
                                    "PELLAMY_OPEN_BROWSER must be true, false, 1 or 0"};

// Exactly these four words: letter case and spaces matter.
std::optional<bool> parse_switch(std::string_view text) {
    if (text == "true" || text == "1") {
        return true;
    }
    if (text == "false" || text == "0") {
        return false;
    }
    return std::nullopt;
}

}  // namespace

std::expected<DesktopSettings, Error> Configuration::desktop(
    std::optional<std::uint16_t> port_override, std::optional<bool> browser_override) const {
    // The port first: with both variables wrong, its message is the one shown.
    const auto port =
        first_present(port_override, port_variable, settings.desktop.port, parse_port);
    if (!port) {
        return std::unexpected{port.error()};
    }
    const auto open_browser = first_present(browser_override, browser_variable,
                                            settings.desktop.open_browser, parse_switch);
    if (!open_browser) {
        return std::unexpected{open_browser.error()};
    }
    return DesktopSettings{*port, *open_browser};
}

}  // namespace pellamy::config
