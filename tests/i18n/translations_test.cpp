#include "i18n/translations.hpp"

#include <gtest/gtest.h>

#include <array>
#include <boost/json/parse.hpp>
#include <string>
#include <vector>

#include "embedded/i18n_catalogs.hpp"

namespace pellamy::i18n {
namespace {

constexpr std::array all_languages{Language::English, Language::Chinese, Language::Japanese,
                                   Language::German, Language::French};

// What the tray shows, in the order of all_languages.
struct Row {
    std::array<std::string_view, all_languages.size()> texts;
};

class TrayTexts : public ::testing::TestWithParam<Row> {};

TEST_P(TrayTexts, AreTranslatedInEveryLanguage) {
    const auto& texts = GetParam().texts;
    const std::string_view key = texts[0];
    for (std::size_t i = 0; i < all_languages.size(); ++i) {
        EXPECT_EQ(Translations::of(all_languages[i]).lookup(key), texts[i])
            << code(all_languages[i]) << ": " << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayTexts,
    ::testing::Values(Row{{"Waiting for Pellamy", "正在等待 Pellamy", "Pellamy を待機中",
                           "Warten auf Pellamy", "En attente de Pellamy"}},
                      Row{{"Open status dashboard", "打开状态页", "状態ページを開く",
                           "Statusseite öffnen", "Ouvrir la page de statut"}},
                      Row{{"Start daemon", "启动守护进程", "サービスを開始", "Dienst starten",
                           "Démarrer le service"}},
                      Row{{"Quit tray", "退出托盘", "トレイを終了", "Tray beenden",
                           "Quitter l\u2019application de statut"}},
                      Row{{"Daemon offline", "守护进程不可用", "サービスはオフライン",
                           "Dienst offline", "Service hors ligne"}},
                      Row{{"Setup required", "需要初始化", "初期設定が必要",
                           "Einrichtung erforderlich", "Configuration requise"}},
                      Row{{"Vault locked", "保险库已锁定", "保管庫はロック中", "Tresor gesperrt",
                           "Coffre verrouillé"}},
                      Row{{"Vault unlocked", "保险库已解锁", "保管庫はロック解除済み",
                           "Tresor entsperrt", "Coffre déverrouillé"}},
                      Row{{"Could not open browser; try Open status dashboard",
                           "无法打开浏览器\uff0c请点击\u201c打开状态页\u201d重试",
                           "ブラウザーを開けません。状態ページを再度開いてください",
                           "Browser konnte nicht geöffnet werden; Statusseite erneut öffnen",
                           "Impossible d\u2019ouvrir le navigateur ; réessayez depuis le menu"}},
                      Row{{"Could not start daemon", "无法启动守护进程", "サービスを開始できません",
                           "Dienst konnte nicht gestartet werden",
                           "Impossible de démarrer le service"}}));

TEST(Translations, TextsThatAreNotExactlyAKeyComeBackUnchanged) {
    for (const auto language : all_languages) {
        const auto translations = Translations::of(language);
        for (const std::string_view text :
             {"quit tray", "QUIT TRAY", "Vault Locked", " Vault locked", "Vault locked ",
              "Vault locked\n", "Vault", "", "Pellamy tray: storage operation failed"}) {
            EXPECT_EQ(translations.lookup(text), text) << code(language);
        }
    }
}

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// One member per line, indented by two spaces, so the files diff well.
TEST(Catalogs, KeepOneMemberPerLineWithTheSameKeys) {
    const std::array catalogs{catalog::en_json, catalog::zh_json, catalog::ja_json,
                              catalog::de_json, catalog::fr_json};
    const auto english = boost::json::parse(catalog::en_json).as_object();
    for (const auto& member : english) {
        EXPECT_EQ(member.key(), member.value().as_string()) << "English maps keys to themselves";
    }
    for (const std::string_view text : catalogs) {
        ASSERT_TRUE(text.ends_with("\n}\n"));
        const auto lines = lines_of(text);
        ASSERT_EQ(lines.size(), english.size() + 2);
        EXPECT_EQ(lines.front(), "{");
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].starts_with("  \"")) << lines[i];
            EXPECT_EQ(lines[i].ends_with(','), i + 2 < lines.size()) << lines[i];
        }
        const auto parsed = boost::json::parse(text).as_object();
        EXPECT_EQ(parsed.size(), english.size());
        for (const auto& member : english) {
            EXPECT_TRUE(parsed.contains(member.key())) << member.key();
        }
    }
}

}  // namespace
}  // namespace pellamy::i18n
