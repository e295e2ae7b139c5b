#include "i18n/language_cell.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>
#include <vector>

namespace pellamy::i18n {
namespace {

TEST(LanguageCell, ReadsEnglishUntilWrittenThenKeepsTheFirstValue) {
    LanguageCell cell;
    EXPECT_EQ(cell.get(), Language::English);
    EXPECT_TRUE(cell.set(Language::German));
    EXPECT_FALSE(cell.set(Language::French));
    EXPECT_EQ(cell.get(), Language::German);
}

TEST(LanguageCell, ConcurrentWritersLeaveExactlyOneWinner) {
    LanguageCell cell;
    constexpr std::array languages{Language::Chinese, Language::Japanese, Language::German,
                                   Language::French};
    std::array<bool, languages.size()> won{};
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < languages.size(); ++i) {
            threads.emplace_back([&, i] { won[i] = cell.set(languages[i]); });
        }
    }
    ASSERT_EQ(std::ranges::count(won, true), 1);
    EXPECT_EQ(cell.get(),
              languages[static_cast<std::size_t>(std::ranges::find(won, true) - won.begin())]);
}

}  // namespace
}  // namespace pellamy::i18n
