#pragma once

#include <boost/beast/http/message.hpp>
#include <boost/beast/http/status.hpp>
#include <boost/beast/http/string_body.hpp>
#include <string_view>

#include "desktop/web/body.hpp"

namespace pellamy::desktop::web {

namespace http = boost::beast::http;

using Request = http::request<http::string_body>;
using Response = http::response<Body>;

// A response with only its framing headers, plus Content-Type when one is given.
Response make_response(http::status status, std::string_view content_type = {},
                       Body::value_type body = {});

// The request target without its query.
std::string_view path_of(std::string_view target);

}  // namespace pellamy::desktop::web
