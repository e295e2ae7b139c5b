#include "desktop/web/token.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace pellamy::desktop::web {
namespace {

TEST(AccessToken, Is64LowercaseHexDigitsAndNewEachTime) {
    const auto first = make_access_token();
    const auto second = make_access_token();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->size(), 64u);
    EXPECT_TRUE(std::ranges::all_of(*first, [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    })) << *first;
    EXPECT_NE(*first, *second);
}

TEST(AccessToken, ComparisonIsPlainByteEquality) {
    struct Case {
        std::string_view given;
        std::string_view expected;
        bool equal;
    };
    const Case cases[] = {
        {"Bearer abc", "Bearer abc", true},
        {"", "", true},
        {"Bearer abd", "Bearer abc", false},
        {"bearer abc", "Bearer abc", false},
        {"Bearer ABC", "Bearer abc", false},
        {"Bearer ab", "Bearer abc", false},
        {"Bearer abcd", "Bearer abc", false},
        {"", "Bearer abc", false},
        {std::string_view{"Bearer a\0c", 10}, "Bearer abc", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(equal_in_constant_time(c.given, c.expected), c.equal);
    }
}

}  // namespace
}  // namespace pellamy::desktop::web
