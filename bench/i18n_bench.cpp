#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "i18n/language_choice.hpp"
#include "i18n/translations.hpp"

namespace pellamy::i18n {
namespace {

// Paid once per run, on the first tr().
void BM_ParseCatalog(benchmark::State& state) {
    const auto language = static_cast<Language>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Translations::of(language));
    }
}
BENCHMARK(BM_ParseCatalog)->DenseRange(0, 4);

// Paid on every menu update.
void BM_Lookup(benchmark::State& state) {
    const auto translations = Translations::of(Language::Japanese);
    const std::string_view text = state.range(0) != 0 ? "Vault unlocked" : "Not a catalog key";
    for (auto _ : state) {
        benchmark::DoNotOptimize(translations.lookup(text));
    }
}
BENCHMARK(BM_Lookup)->Arg(1)->Arg(0);

// The whole choice as start-up makes it, with whatever environment the run has.
void BM_ChooseLanguage(benchmark::State& state) {
    const std::vector<std::string_view> arguments{"pellamy-tray", "--port", "0"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(choose_language(arguments));
    }
}
BENCHMARK(BM_ChooseLanguage);

}  // namespace
}  // namespace pellamy::i18n
