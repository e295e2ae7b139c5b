#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "desktop/shared.hpp"
#include "desktop/web/server.hpp"
#include "support/raw_http.hpp"

namespace pellamy::desktop::web::testing {

using Headers = std::vector<std::pair<std::string, std::string>>;

// A started server on a free port, with the values a browser tab would send.
struct RunningDashboard {
    std::shared_ptr<Shared> shared;
    Server server;
    std::uint16_t port;
    std::string host;           // 127.0.0.1:PORT
    std::string origin;         // http://127.0.0.1:PORT
    std::string authorization;  // Bearer TOKEN
    std::string token;

    static RunningDashboard start();

    // "{host}", "{origin}", "{authorization}", "{token}" and "{port}" in a header
    // value stand for the running server's own values.
    std::string request(std::string_view method, std::string_view target,
                        const Headers& headers) const;

    // A GET as the dashboard tab sends it: right Host and, for "/api/", the token.
    RawResponse get(std::string_view target) const;
};

// One running dashboard for all tests of a suite.
class DashboardSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dashboard.emplace(RunningDashboard::start()); }
    static void TearDownTestSuite() { dashboard.reset(); }
    static inline std::optional<RunningDashboard> dashboard;
};

// The six headers the guard adds, in their order.
const Headers& security_headers();

// Each security header exactly once with its value, in order.
void expect_security_headers(const RawResponse& response);

}  // namespace pellamy::desktop::web::testing
