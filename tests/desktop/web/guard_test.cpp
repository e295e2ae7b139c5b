#include <gtest/gtest.h>

#include <algorithm>

#include "dashboard_support.hpp"

namespace pellamy::desktop::web::testing {
namespace {

class Guard : public DashboardSuite {};

struct GuardCase {
    std::string_view why;
    std::string_view method;
    std::string_view target;
    Headers headers;
    int status;
};

const Headers tab{{"Host", "{host}"}};
const Headers tab_with_token{{"Host", "{host}"}, {"Authorization", "{authorization}"}};

Headers with(Headers headers, std::string name, std::string value) {
    headers.emplace_back(std::move(name), std::move(value));
    return headers;
}

TEST_F(Guard, DecidesEveryRequestByItsHeadersMethodAndPath) {
    const GuardCase cases[] = {
        {"the tab's first load", "GET", "/", with(tab, "Sec-Fetch-Site", "none"), 200},
        {"assets need no token", "GET", "/app.js", tab, 200},
        {"status with the token", "GET", "/api/status", tab_with_token, 200},
        {"status with the token and a query", "GET", "/api/status?t=1", tab_with_token, 200},
        {"same-origin fetch", "GET", "/api/status",
         with(with(tab_with_token, "Origin", "{origin}"), "Sec-Fetch-Site", "same-origin"), 200},

        {"status without a token", "GET", "/api/status", tab, 401},
        {"a query does not lift the token rule", "GET", "/api/status?token=x", tab, 401},
        {"scheme in lower case", "GET", "/api/status", with(tab, "Authorization", "bearer {token}"),
         401},
        {"two spaces after the scheme", "GET", "/api/status",
         with(tab, "Authorization", "Bearer  {token}"), 401},
        {"token alone", "GET", "/api/status", with(tab, "Authorization", "{token}"), 401},
        {"token in a cookie", "GET", "/api/status", with(tab, "Cookie", "token={token}"), 401},
        {"token with a suffix", "GET", "/api/status",
         with(tab, "Authorization", "{authorization}0"), 401},
        {"/api/ itself is under the rule", "GET", "/api/", tab, 401},
        {"unrouted path under /api/", "GET", "/api/other", tab, 401},
        {"unrouted path under /api/ with the token", "GET", "/api/other", tab_with_token, 404},
        {"/api is not under /api/", "GET", "/api", tab, 404},

        {"no Host", "GET", "/", {}, 403},
        {"host name instead of the address", "GET", "/", with({}, "Host", "localhost:{port}"), 403},
        {"address without the port", "GET", "/", with({}, "Host", "127.0.0.1"), 403},
        {"Host with a byte outside ASCII", "GET", "/", with({}, "Host", "{host}\xc3\xa9"), 403},
        {"another page's origin", "GET", "/api/status",
         with(tab_with_token, "Origin", "http://example.com"), 403},
        {"opaque origin", "GET", "/", with(tab, "Origin", "null"), 403},
        {"origin naming the host differently", "GET", "/",
         with(tab, "Origin", "http://localhost:{port}"), 403},
        {"cross-site without Origin", "GET", "/", with(tab, "Sec-Fetch-Site", "cross-site"), 403},
        {"same-site passes", "GET", "/", with(tab, "Sec-Fetch-Site", "same-site"), 200},
        {"only lower-case cross-site is refused", "GET", "/",
         with(tab, "Sec-Fetch-Site", "Cross-Site"), 200},

        {"POST with host and token", "POST", "/api/status", tab_with_token, 405},
        {"HEAD of the page", "HEAD", "/", tab, 405},
        {"OPTIONS preflight", "OPTIONS", "/api/status", with(tab, "Origin", "{origin}"), 405},
        {"method names are case-sensitive", "get", "/", tab, 405},
        {"405 before 401", "DELETE", "/api/status", tab, 405},
        {"403 before 405", "POST", "/api/status",
         with({{"Host", "localhost"}}, "Authorization", "{authorization}"), 403},
        {"403 before 401", "GET", "/api/status", with({}, "Origin", "{origin}"), 403},
        {"404 fallback is guarded", "GET", "/missing", {}, 403},
    };
    for (const GuardCase& c : cases) {
        SCOPED_TRACE(c.why);
        const RawResponse response =
            round_trip(dashboard->port, dashboard->request(c.method, c.target, c.headers));
        EXPECT_EQ(response.status, c.status);
        expect_security_headers(response);
        if (c.status != 200) {
            // A bare status: no body, no Content-Type, no challenge.
            EXPECT_EQ(response.body, "");
            for (const auto& [name, value] : response.headers) {
                const bool framing = same_header_name(name, "content-length");
                const bool security = std::ranges::any_of(
                    security_headers(),
                    [&](const auto& expected) { return same_header_name(name, expected.first); });
                EXPECT_TRUE(framing || security) << name << ": " << value;
            }
        }
    }
}

TEST_F(Guard, PolicyHasItsNineDirectives) {
    EXPECT_EQ(security_headers().back().second.size(), 175u);
}

}  // namespace
}  // namespace pellamy::desktop::web::testing
