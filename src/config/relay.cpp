#include "config/relay.hpp"

#include "core/url_facts.hpp"

namespace pellamy::config {

std::expected<void, std::string_view> validate_relay(std::string_view text) {
    const auto parsed = url::parse(text);
    if (!parsed) {
        return std::unexpected{"Invalid relay URL"};
    }
    if (!core::has_host(*parsed)) {
        return std::unexpected{"Relay URL requires a host"};
    }
    const std::string_view scheme = core::scheme(*parsed);
    if (scheme != "wss" && !(scheme == "ws" && core::has_loopback_host(*parsed))) {
        return std::unexpected{"Relay requires wss (ws is permitted only on loopback)"};
    }
    if (core::has_credentials(*parsed)) {
        return std::unexpected{"Relay URL must not contain credentials"};
    }
    return {};
}

}  // namespace pellamy::config
