#pragma once

#include <string_view>

#include "desktop/web/app.hpp"
#include "desktop/web/message.hpp"

namespace pellamy::desktop::web {

// The response for a GET of `path` (exact match; the query already removed),
// or an empty 404 when no route has that path.
Response route(const App& app, std::string_view path);

}  // namespace pellamy::desktop::web
