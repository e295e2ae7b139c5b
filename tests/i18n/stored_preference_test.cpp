#include "i18n/stored_preference.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temporary_directory.hpp"

namespace pellamy::i18n {
namespace {

struct ContentCase {
    std::string content;
    std::optional<Language> expected;
};

class StoredPreferenceContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(StoredPreferenceContent, AcceptsOneTrimmedCodeWithinSixteenBytes) {
    const testing::TemporaryDirectory home;
    home.write("language.txt", GetParam().content);
    EXPECT_EQ(read_stored_preference(home.path()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredPreferenceContent,
    ::testing::Values(ContentCase{"de\n", Language::German}, ContentCase{"en", Language::English},
                      ContentCase{"  fr \n", Language::French},
                      ContentCase{"\u3000ja\u2028", Language::Japanese},
                      ContentCase{"\u00a0zh\u0085\r\n", Language::Chinese},
                      ContentCase{"", std::nullopt}, ContentCase{"FR", std::nullopt},
                      ContentCase{"fr-FR", std::nullopt}, ContentCase{"system", std::nullopt},
                      ContentCase{"d e", std::nullopt}, ContentCase{"\u200bja", std::nullopt},
                      ContentCase{"ja\xff", std::nullopt},
                      // Only the first 16 bytes count: trailing text past them is never seen...
                      ContentCase{"de" + std::string(20, ' '), Language::German},
                      ContentCase{"de" + std::string(14, ' ') + "junk", Language::German},
                      // ...so a code that starts within them but ends past them is cut,
                      ContentCase{std::string(15, ' ') + "de", std::nullopt},
                      // and so is a character, which makes the text invalid.
                      ContentCase{"ja" + std::string(12, ' ') + "\u00a0", Language::Japanese},
                      ContentCase{"ja" + std::string(13, ' ') + "\u00a0", std::nullopt}));

TEST(StoredPreference, MissingOrUnreadableFileGivesNone) {
    const testing::TemporaryDirectory home;
    EXPECT_EQ(read_stored_preference(home.path()), std::nullopt);
    EXPECT_EQ(read_stored_preference(home.path() / "absent"), std::nullopt);

    std::filesystem::create_directory(home.path() / "language.txt");
    EXPECT_EQ(read_stored_preference(home.path()), std::nullopt);
}

TEST(StoredPreference, FifoWithoutWriterDoesNotBlock) {
    const testing::TemporaryDirectory home;
    ASSERT_EQ(::mkfifo((home.path() / "language.txt").c_str(), 0600), 0);
    EXPECT_EQ(read_stored_preference(home.path()), std::nullopt);
}

}  // namespace
}  // namespace pellamy::i18n
