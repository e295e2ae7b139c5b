#pragma once

#include <expected>
#include <string_view>

namespace pellamy::config {

// The relay must be wss, or ws on a loopback host, and carry no credentials.
std::expected<void, std::string_view> validate_relay(std::string_view text);

}  // namespace pellamy::config
