#include "i18n/language_choice.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "language_environment.hpp"
#include "support/scoped_environment.hpp"
#include "support/temporary_directory.hpp"

namespace pellamy::i18n {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// "{root}" in arguments, variables and files stands for a fresh temporary
// directory, which is also HOME.
struct ChoiceCase {
    std::string name;
    std::vector<std::string> arguments;  // after the program path
    Pairs environment;
    Pairs files;  // path under the root, content
    Language expected;
};

std::string with_root(std::string text, const std::string& root) {
    for (auto at = text.find("{root}"); at != std::string::npos; at = text.find("{root}", at)) {
        text.replace(at, 6, root);
        at += root.size();
    }
    return text;
}

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, PicksTheFirstSourceThatNamesALanguage) {
    const ChoiceCase& c = GetParam();
    const testing::TemporaryDirectory root;
    const std::string root_text = root.path().string();
    testing::ScopedEnvironment environment{language_variables()};
    environment.set("HOME", root_text);
    for (const auto& [name, value] : c.environment) {
        environment.set(name, with_root(value, root_text));
    }
    for (const auto& [path, content] : c.files) {
        root.write(path, with_root(content, root_text));
    }
    std::vector<std::string> owned{"pellamy-tray"};
    for (const auto& argument : c.arguments) {
        owned.push_back(with_root(argument, root_text));
    }
    const std::vector<std::string_view> arguments(owned.begin(), owned.end());

    EXPECT_EQ(choose_language(arguments), c.expected);
}

const std::string invalid = "\xff";

INSTANTIATE_TEST_SUITE_P(
    Table, LanguageChoice,
    ::testing::Values(
        ChoiceCase{"NothingSet", {}, {}, {}, Language::English},
        // The locale variables, LC_ALL first.
        ChoiceCase{"LangChineseUtf8", {}, {{"LANG", "zh_CN.UTF-8"}}, {}, Language::Chinese},
        ChoiceCase{"LangJapanese", {}, {{"LANG", "ja_JP"}}, {}, Language::Japanese},
        ChoiceCase{"LcAllEuro", {}, {{"LC_ALL", "de_DE@euro"}}, {}, Language::German},
        ChoiceCase{"LangPortuguese", {}, {{"LANG", "pt_BR"}}, {}, Language::English},
        ChoiceCase{"LangC", {}, {{"LANG", "C"}}, {}, Language::English},
        ChoiceCase{"LangPosix", {}, {{"LANG", "POSIX"}}, {}, Language::English},
        ChoiceCase{
            "LcAllBeforeLang", {}, {{"LC_ALL", "fr_FR"}, {"LANG", "de_DE"}}, {}, Language::French},
        ChoiceCase{"LcMessagesBeforeLang",
                   {},
                   {{"LC_MESSAGES", "ja"}, {"LANG", "de"}},
                   {},
                   Language::Japanese},
        ChoiceCase{"EmptyLcAllSkipped", {}, {{"LC_ALL", ""}, {"LANG", "de"}}, {}, Language::German},
        ChoiceCase{"InvalidLcAllSkipped",
                   {},
                   {{"LC_ALL", "fr" + invalid}, {"LANG", "de"}},
                   {},
                   Language::German},
        ChoiceCase{"UnknownLcAllStillDecides",
                   {},
                   {{"LC_ALL", "pt"}, {"LANG", "de"}},
                   {},
                   Language::English},
        // PELLAMY_LANG.
        ChoiceCase{"PellamyLangUpperCase", {}, {{"PELLAMY_LANG", "ZH"}}, {}, Language::Chinese},
        ChoiceCase{"PellamyLangEmptySkipped",
                   {},
                   {{"PELLAMY_LANG", ""}, {"LANG", "de_DE"}},
                   {},
                   Language::German},
        ChoiceCase{"PellamyLangInvalidSkipped",
                   {},
                   {{"PELLAMY_LANG", invalid}, {"LANG", "de_DE"}},
                   {},
                   Language::German},
        ChoiceCase{"PellamyLangBeforeLcAll",
                   {},
                   {{"PELLAMY_LANG", "ja"}, {"LC_ALL", "fr"}},
                   {},
                   Language::Japanese},
        ChoiceCase{"PellamyLangUnknownIsEnglish",
                   {},
                   {{"PELLAMY_LANG", "pt"}, {"LANG", "de"}},
                   {},
                   Language::English},
        // --lang.
        ChoiceCase{"LangOptionWithEquals", {"--lang=ja"}, {}, {}, Language::Japanese},
        ChoiceCase{"LangOptionSeparate", {"--lang", "ja"}, {}, {}, Language::Japanese},
        ChoiceCase{"LangOptionBeforePellamyLang",
                   {"--lang", "ja"},
                   {{"PELLAMY_LANG", "fr"}},
                   {},
                   Language::Japanese},
        ChoiceCase{"LangOptionEmptyStillDecides",
                   {"--lang="},
                   {{"PELLAMY_LANG", "fr"}},
                   {},
                   Language::English},
        ChoiceCase{"LangOptionLastWins", {"--lang", "de", "--lang=fr"}, {}, {}, Language::French},
        ChoiceCase{
            "LangOptionTrailing", {"--lang"}, {{"PELLAMY_LANG", "fr"}}, {}, Language::French},
        ChoiceCase{"LangOptionAfterDoubleDash",
                   {"--", "--lang", "ja"},
                   {{"LANG", "de"}},
                   {},
                   Language::German},
        ChoiceCase{"LangOptionInvalidSkipped",
                   {"--lang", "ja" + invalid},
                   {{"LANG", "de"}},
                   {},
                   Language::German},
        // The stored preference, between PELLAMY_LANG and the locale.
        ChoiceCase{"StoredBeforeLocale",
                   {"--home", "{root}/home"},
                   {{"LANG", "de_DE"}},
                   {{"home/language.txt", "ja\n"}},
                   Language::Japanese},
        ChoiceCase{"PellamyLangBeforeStored",
                   {"--home", "{root}/home"},
                   {{"PELLAMY_LANG", "fr"}, {"LANG", "de_DE"}},
                   {{"home/language.txt", "ja\n"}},
                   Language::French},
        ChoiceCase{"StoredEnglishBeforeLocale",
                   {"--home={root}/home"},
                   {{"LC_ALL", "de_DE"}},
                   {{"home/language.txt", "en"}},
                   Language::English},
        ChoiceCase{"StoredSpacesTrimmed",
                   {"--home", "{root}/home"},
                   {{"LANG", "de"}},
                   {{"home/language.txt", " \u3000fr \n"}},
                   Language::French},
        ChoiceCase{"StoredUpperCaseLeavesLocale",
                   {"--home", "{root}/home"},
                   {{"LANG", "de"}},
                   {{"home/language.txt", "FR"}},
                   Language::German},
        ChoiceCase{"StoredLocaleFormLeavesLocale",
                   {"--home", "{root}/home"},
                   {{"LANG", "de"}},
                   {{"home/language.txt", "fr-FR"}},
                   Language::German},
        ChoiceCase{"StoredWordLeavesLocale",
                   {"--home", "{root}/home"},
                   {{"LANG", "de"}},
                   {{"home/language.txt", "system"}},
                   Language::German},
        ChoiceCase{"StoredWithinSixteenBytes",
                   {"--home", "{root}/home"},
                   {{"LANG", "fr"}},
                   {{"home/language.txt", "de" + std::string(20, ' ')}},
                   Language::German},
        ChoiceCase{"StoredPastSixteenBytes",
                   {"--home", "{root}/home"},
                   {{"LANG", "fr"}},
                   {{"home/language.txt", std::string(15, ' ') + "de"}},
                   Language::French},
        ChoiceCase{"StoredInPellamyHome",
                   {},
                   {{"PELLAMY_HOME", "{root}/home"}, {"LANG", "de"}},
                   {{"home/language.txt", "ja"}},
                   Language::Japanese},
        ChoiceCase{"HomeOptionBeforePellamyHome",
                   {"--home", "{root}/home"},
                   {{"PELLAMY_HOME", "{root}/other"}},
                   {{"home/language.txt", "ja"}, {"other/language.txt", "de"}},
                   Language::Japanese},
        ChoiceCase{"HomeOptionAfterDoubleDash",
                   {"--", "--home", "{root}/home"},
                   {{"LANG", "de"}},
                   {{"home/language.txt", "ja"}},
                   Language::German}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace pellamy::i18n
