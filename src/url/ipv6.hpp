#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

#include "url/url.hpp"

namespace pellamy::url {

using Ipv6Address = std::array<std::uint16_t, 8>;

// The text between the brackets: hexadecimal pieces, at most one "::" and an
// optional dotted IPv4 tail ("::ffff:127.0.0.1").
std::expected<Ipv6Address, ParseError> parse_ipv6(std::string_view text);

// Lower-case, without leading zeros, the first longest run of two or more zero
// pieces written as "::"; no brackets.
void append_ipv6(std::string& out, const Ipv6Address& address);

}  // namespace pellamy::url
