#pragma once

#include <gtest/gtest.h>

#include <expected>
#include <string_view>

#include "core/error.hpp"

namespace pellamy::testing {

// Success when `error` is empty; otherwise a failure of `kind` showing exactly `error`.
template <typename T>
void expect_result(const std::expected<T, core::Error>& result, std::string_view error,
                   core::ErrorKind kind = core::ErrorKind::Invalid) {
    if (error.empty()) {
        EXPECT_TRUE(result.has_value()) << result.error().display();
        return;
    }
    if (result.has_value()) {
        ADD_FAILURE() << "accepted, expected: " << error;
        return;
    }
    EXPECT_EQ(result.error().kind(), kind);
    EXPECT_EQ(result.error().display(), error);
}

}  // namespace pellamy::testing
