#include "i18n/white_space.hpp"

#include <gtest/gtest.h>

#include <string>

namespace pellamy::i18n {
namespace {

struct TrimCase {
    std::string text;
    std::string expected;
};

class WhiteSpaceTrim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(WhiteSpaceTrim, RemovesUnicodeWhiteSpaceAtBothEnds) {
    EXPECT_EQ(trim_white_space(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WhiteSpaceTrim,
    ::testing::Values(TrimCase{"", ""}, TrimCase{"fr", "fr"}, TrimCase{" \t\n\v\f\rfr\r\n", "fr"},
                      TrimCase{"\u0085\u00a0\u1680fr\u2000\u2001\u2002", "fr"},
                      TrimCase{"\u2003\u2004\u2005\u2006\u2007fr\u2008\u2009\u200a", "fr"},
                      TrimCase{"\u2028\u2029\u202ffr\u205f\u3000", "fr"}, TrimCase{" \u3000 ", ""},
                      // Inner white space stays; look-alikes outside White_Space are kept.
                      TrimCase{" f r ", "f r"}, TrimCase{"\u200bfr", "\u200bfr"},
                      TrimCase{"fr\ufeff", "fr\ufeff"}, TrimCase{"\u180efr", "\u180efr"},
                      TrimCase{std::string{"fr\0", 3}, std::string{"fr\0", 3}}));

}  // namespace
}  // namespace pellamy::i18n
