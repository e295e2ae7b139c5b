#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pellamy::config {

// Plain decimal: digits with one optional leading "+", leading zeros allowed,
// 0 to 65535. No spaces, no "-", no octal or hexadecimal forms.
std::optional<std::uint16_t> parse_port(std::string_view text);

}  // namespace pellamy::config
