#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

#include "url/url.hpp"

namespace pellamy::url {

// Whether a domain's last label is a number, which makes the whole domain an
// IPv4 address (or a failure): "1.2.3.4", "example.0x7f", "a.09.".
bool ends_in_a_number(std::string_view domain);

// Up to four dot-separated decimal, octal ("0" prefix) or hexadecimal ("0x")
// parts; the last part fills the remaining bytes ("127.1" is 127.0.0.1).
std::expected<std::uint32_t, ParseError> parse_ipv4(std::string_view text);

void append_ipv4(std::string& out, std::uint32_t address);

}  // namespace pellamy::url
