#include "dashboard_support.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/security_headers.hpp"

namespace pellamy::desktop::web::testing {
namespace {

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

RunningDashboard RunningDashboard::start() {
    auto shared = Shared::create();
    auto server = Server::start(0, shared);
    if (!server) {
        throw std::runtime_error("server did not start: " + server.error().message());
    }
    const std::uint16_t port = port_of(server->url());
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string token = token_of(server->url());
    return {std::move(shared), std::move(*server), port, host,
            "http://" + host,  "Bearer " + token,  token};
}

std::string RunningDashboard::request(std::string_view method, std::string_view target,
                                      const Headers& headers) const {
    std::string text{method};
    text.append(" ").append(target).append(" HTTP/1.1\r\n");
    for (const auto& [name, value] : headers) {
        std::string filled = replace_all(value, "{host}", host);
        filled = replace_all(std::move(filled), "{origin}", origin);
        filled = replace_all(std::move(filled), "{authorization}", authorization);
        filled = replace_all(std::move(filled), "{token}", token);
        filled = replace_all(std::move(filled), "{port}", std::to_string(port));
        text.append(name).append(": ").append(filled).append("\r\n");
    }
    return text + "\r\n";
}

RawResponse RunningDashboard::get(std::string_view target) const {
    Headers headers{{"Host", "{host}"}};
    if (target.starts_with("/api/")) {
        headers.emplace_back("Authorization", "{authorization}");
    }
    return round_trip(port, request("GET", target, headers));
}

const Headers& security_headers() {
    static const Headers headers{expected_security_headers.begin(),
                                 expected_security_headers.end()};
    return headers;
}

void expect_security_headers(const RawResponse& response) {
    Headers in_order;
    for (const auto& header : response.headers) {
        for (const auto& expected : security_headers()) {
            if (same_header_name(header.first, expected.first)) {
                in_order.push_back(header);
            }
        }
    }
    EXPECT_EQ(in_order, security_headers());
}

}  // namespace pellamy::desktop::web::testing
