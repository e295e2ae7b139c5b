#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace pellamy::desktop::web::testing {

// The six headers every dashboard answer must carry, in their order, as the
// page and the browser rely on them.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 6>
    expected_security_headers{{
        {"cache-control", "no-store"},
        {"referrer-policy", "no-referrer"},
        {"x-content-type-options", "nosniff"},
        {"x-frame-options", "DENY"},
        {"cross-origin-resource-policy", "same-origin"},
        {"content-security-policy",
         "default-src 'none'; script-src 'self'; style-src 'self'; font-src 'self'; "
         "connect-src 'self'; img-src 'self' data:; base-uri 'none'; frame-ancestors 'none'; "
         "form-action 'none'"},
    }};

}  // namespace pellamy::desktop::web::testing
