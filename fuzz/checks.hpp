#pragma once

#include <boost/json/parse.hpp>
#include <cstdlib>
#include <string_view>

namespace pellamy::fuzz {

// A broken invariant is a finding: end the run so libFuzzer keeps the input.
inline void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A "/api/status" body: a JSON object in which `connected` is true exactly when
// `service` is an object. Gives `service`.
inline boost::json::value served_service(std::string_view body) {
    boost::system::error_code error;
    boost::json::value document = boost::json::parse(body, error);
    require(!error && document.is_object());
    const auto* connected = document.get_object().if_contains("connected");
    const auto* service = document.get_object().if_contains("service");
    require(connected != nullptr && connected->is_bool() && service != nullptr);
    require(connected->get_bool() == service->is_object());
    return *service;
}

}  // namespace pellamy::fuzz
