#pragma once

#include <expected>
#include <string_view>

#include "core/error.hpp"
#include "url/url.hpp"

namespace pellamy::core {

// A model service URL: https, or http to a loopback host; no credentials,
// query or fragment, since those would leak into logs and requests.
std::expected<url::Url, Error> endpoint_url(std::string_view text);

}  // namespace pellamy::core
