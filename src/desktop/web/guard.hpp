#pragma once

#include "desktop/web/app.hpp"
#include "desktop/web/message.hpp"

namespace pellamy::desktop::web {

// Answers one request: refuses foreign hosts, origins and cross-site requests
// (403), methods other than GET (405) and "/api/" requests without the token
// (401), routes the rest, and stamps the security headers on every answer.
Response respond(const App& app, const Request& request);

}  // namespace pellamy::desktop::web
