#include "config/utf8.hpp"

#include <gtest/gtest.h>

#include <string>

namespace pellamy::config {
namespace {

struct Utf8Case {
    std::string bytes;
    bool valid;
};

class Utf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8, TellsWellFormedText) {
    EXPECT_EQ(is_utf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8,
    ::testing::Values(Utf8Case{"", true}, Utf8Case{"plain ascii", true},
                      Utf8Case{std::string{"nul\0inside", 10}, true},
                      Utf8Case{"\xC2\x80 \xDF\xBF", true},          // two bytes, both ends
                      Utf8Case{"\xE0\xA0\x80 \xEF\xBF\xBF", true},  // three bytes, both ends
                      Utf8Case{"\xF0\x90\x80\x80 \xF4\x8F\xBF\xBF", true},  // up to U+10FFFF
                      Utf8Case{"\x80", false},                              // stray continuation
                      Utf8Case{"\xC0\xAF", false},                          // overlong "/"
                      Utf8Case{"\xE0\x80\xAF", false},                      // overlong, three bytes
                      Utf8Case{"\xED\xA0\x80", false},                      // surrogate U+D800
                      Utf8Case{"\xF4\x90\x80\x80", false},                  // past U+10FFFF
                      Utf8Case{"\xF5\x80\x80\x80", false}, Utf8Case{"\xFF", false},
                      Utf8Case{"\xE2\x82", false},        // cut short at the end
                      Utf8Case{"\xE2\x28\xA1", false}));  // bad continuation

}  // namespace
}  // namespace pellamy::config
