#include "i18n/utf8.hpp"

#include <gtest/gtest.h>

#include <string>

namespace pellamy::i18n {
namespace {

struct ValidityCase {
    std::string text;
    bool valid;
};

class Utf8Validity : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(Utf8Validity, AcceptsOnlyWellFormedText) {
    EXPECT_EQ(is_valid_utf8(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8Validity,
    ::testing::Values(ValidityCase{"", true}, ValidityCase{"de", true},
                      ValidityCase{"\u00e9\u3000\u65e5", true}, ValidityCase{"\U0001F600", true},
                      ValidityCase{"\U0010FFFF", true}, ValidityCase{std::string{"a\0b", 3}, true},
                      ValidityCase{"\xff", false},                    // never a lead byte
                      ValidityCase{"\x80", false},                    // lone continuation
                      ValidityCase{"\xc3", false},                    // cut two-byte sequence
                      ValidityCase{"\xe6\x97", false},                // cut three-byte sequence
                      ValidityCase{"\xc3(", false},                   // bad continuation
                      ValidityCase{"\xc0\xaf", false},                // overlong "/"
                      ValidityCase{"\xe0\x80\xaf", false},            // overlong "/"
                      ValidityCase{"\xf0\x82\x82\xac", false},        // overlong euro sign
                      ValidityCase{"\xed\xa0\x80", false},            // surrogate U+D800
                      ValidityCase{"\xf4\x90\x80\x80", false},        // past U+10FFFF
                      ValidityCase{"\xf8\x88\x80\x80\x80", false}));  // five-byte form

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
