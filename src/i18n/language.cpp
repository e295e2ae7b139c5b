#include "i18n/language.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace pellamy::i18n {
namespace {

constexpr std::array languages{Language::English, Language::Chinese, Language::Japanese,
                               Language::German, Language::French};

}  // namespace

std::string_view code(Language language) {
    switch (language) {
        case Language::English:
            return "en";
        case Language::Chinese:
            return "zh";
        case Language::Japanese:
            return "ja";
        case Language::German:
            return "de";
        case Language::French:
            return "fr";
    }
    return "en";
}

std::optional<Language> language_from_code(std::string_view text) {
    const auto found = std::ranges::find(languages, text, code);
    if (found == languages.end()) {
        return std::nullopt;
    }
    return *found;
}

Language language_from_locale(std::string_view text) {
    std::string name{text.substr(0, text.find_first_of("-._@"))};
    // Plain ASCII folding: the locale's own case rules must not apply here.
    std::ranges::transform(name, name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return language_from_code(name).value_or(Language::English);
}

}  // namespace pellamy::i18n
