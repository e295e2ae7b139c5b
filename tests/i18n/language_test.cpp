#include "i18n/language.hpp"

#include <gtest/gtest.h>

namespace pellamy::i18n {
namespace {

struct LocaleCase {
    std::string_view text;
    Language expected;
};

class LanguageFromLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LanguageFromLocale, MapsThePartBeforeTheFirstSeparator) {
    EXPECT_EQ(language_from_locale(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LanguageFromLocale,
    ::testing::Values(
        LocaleCase{"zh", Language::Chinese}, LocaleCase{"ja", Language::Japanese},
        LocaleCase{"de", Language::German}, LocaleCase{"fr", Language::French},
        LocaleCase{"en", Language::English}, LocaleCase{"zh_CN.UTF-8", Language::Chinese},
        LocaleCase{"ja_JP", Language::Japanese}, LocaleCase{"de_DE@euro", Language::German},
        LocaleCase{"fr-CA", Language::French}, LocaleCase{"ja.UTF-8", Language::Japanese},
        LocaleCase{"de@euro", Language::German}, LocaleCase{"ZH", Language::Chinese},
        LocaleCase{"Fr_fr", Language::French}, LocaleCase{"pt_BR", Language::English},
        LocaleCase{"C", Language::English}, LocaleCase{"C.UTF-8", Language::English},
        LocaleCase{"POSIX", Language::English}, LocaleCase{"", Language::English},
        LocaleCase{"_de", Language::English}, LocaleCase{"deu", Language::English},
        LocaleCase{" de", Language::English}, LocaleCase{"zh-Hans-CN", Language::Chinese},
        // Only ASCII letters fold: a Kelvin sign or dotless i stays itself.
        LocaleCase{"\u212A", Language::English}, LocaleCase{"fr\u0131", Language::English}));

TEST(LanguageCode, RoundTripsOnlyTheExactLowerCaseCodes) {
    for (const auto language : {Language::English, Language::Chinese, Language::Japanese,
                                Language::German, Language::French}) {
        EXPECT_EQ(language_from_code(code(language)), language);
    }
    for (const std::string_view text : {"", "EN", "Fr", "de ", "deu", "zh_CN", "en-US"}) {
        EXPECT_EQ(language_from_code(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace pellamy::i18n
