#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "url/url.hpp"

namespace pellamy::url {

// domain_to_ascii, appending to out; out is unchanged on failure.
std::expected<void, ParseError> append_domain_to_ascii(std::string& out, std::string_view domain,
                                                       bool be_strict);

}  // namespace pellamy::url
