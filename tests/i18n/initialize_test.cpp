#include "i18n/initialize.hpp"

#include <gtest/gtest.h>

#include "i18n/language_cell.hpp"
#include "i18n/tr.hpp"
#include "language_environment.hpp"
#include "support/scoped_environment.hpp"
#include "support/temporary_directory.hpp"

namespace pellamy::i18n {
namespace {

// The only test that touches the process's own language, so it cannot leak
// into another.
TEST(Initialize, ChoosesOnceAndTranslatesInThatLanguage) {
    const testing::TemporaryDirectory home;
    testing::ScopedEnvironment environment{language_variables()};
    environment.set("HOME", home.path().string());
    environment.set("LANG", "ja_JP.UTF-8");
    const char* const arguments[] = {"pellamy-tray", "--port", "0", nullptr};

    initialize(3, arguments);
    EXPECT_EQ(language_cell().get(), Language::Japanese);
    EXPECT_EQ(tr("Vault locked"), "保管庫はロック中");
    EXPECT_EQ(tr("vault locked"), "vault locked");

    environment.set("PELLAMY_LANG", "fr");
    initialize(3, arguments);
    EXPECT_EQ(language_cell().get(), Language::Japanese);
    EXPECT_EQ(tr("Waiting for Pellamy"), "Pellamy を待機中");
}

}  // namespace
}  // namespace pellamy::i18n
