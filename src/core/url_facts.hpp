#pragma once

#include <string_view>

#include "url/url.hpp"

namespace pellamy::core {

// The parsed scheme without its ':', lower case.
std::string_view scheme(const url::Url& url);

// A null host and an empty one are alike here: neither names a machine.
bool has_host(const url::Url& url);

// Only these exact serialised hosts count: not 127.0.0.2, not "localhost.",
// not the IPv4-mapped form of 127.0.0.1.
bool has_loopback_host(const url::Url& url);

// A user name or a password.
bool has_credentials(const url::Url& url);

// A query or fragment, an empty "?" or "#" included.
bool has_query_or_fragment(const url::Url& url);

}  // namespace pellamy::core
