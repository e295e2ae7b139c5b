#include "desktop/web/guard.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "desktop/web/routes.hpp"
#include "desktop/web/token.hpp"

namespace pellamy::desktop::web {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> security_headers{{
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

std::optional<std::string_view> header(const Request& request, std::string_view name) {
    const auto found = request.find(name);
    if (found == request.end()) {
        return std::nullopt;
    }
    return std::string_view{found->value()};
}

bool is_visible_text(std::string_view value) {
    return std::ranges::all_of(value, [](char c) { return c == '\t' || (c >= 32 && c <= 126); });
}

// Host, Origin and fetch-site are all read before deciding, so the answer does
// not depend on which of them failed first.
bool is_same_origin_request(const App& app, const Request& request) {
    auto host = header(request, "host");
    if (host && !is_visible_text(*host)) {
        host.reset();
    }
    const auto origin = header(request, "origin");
    const auto fetch_site = header(request, "sec-fetch-site");

    const bool origin_ok = !origin || *origin == app.expected_origin;
    const bool fetch_site_ok = !fetch_site || *fetch_site != "cross-site";
    const bool host_ok = host && *host == app.expected_host;
    return origin_ok && fetch_site_ok && host_ok;
}

bool is_authorized(const App& app, const Request& request) {
    const auto authorization = header(request, "authorization");
    return authorization && equal_in_constant_time(*authorization, app.expected_authorization);
}

std::optional<http::status> refusal(const App& app, const Request& request, std::string_view path) {
    if (!is_same_origin_request(app, request)) {
        return http::status::forbidden;
    }
    if (request.method() != http::verb::get) {
        return http::status::method_not_allowed;
    }
    if (path.starts_with("/api/") && !is_authorized(app, request)) {
        return http::status::unauthorized;
    }
    return std::nullopt;
}

}  // namespace

Response respond(const App& app, const Request& request) {
    const std::string_view path = path_of(request.target());
    const auto refused = refusal(app, request, path);
    Response response = refused ? make_response(*refused) : route(app, path);
    for (const auto& [name, value] : security_headers) {
        response.set(name, value);
    }
    return response;
}

}  // namespace pellamy::desktop::web
