#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "url/url.hpp"

namespace pellamy::url {

// Parses the host text of an authority and appends its serialisation: an
// IPv6 address in brackets, an IPv4 address in dotted decimal, an ASCII domain,
// or for non-special schemes an opaque percent-encoded host. out is unchanged
// on failure.
std::expected<void, ParseError> append_host(std::string& out, std::string_view input,
                                            bool is_special);

}  // namespace pellamy::url
