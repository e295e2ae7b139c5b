#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pellamy::i18n {

// The user-interface languages, English first as the fallback.
enum class Language : std::uint8_t { English, Chinese, Japanese, German, French };

// The two-letter code: "en", "zh", "ja", "de" or "fr".
std::string_view code(Language language);

// Exactly one of the five codes, in lower case.
std::optional<Language> language_from_code(std::string_view text);

// A language name or locale such as "zh_CN.UTF-8", "de-DE" or "fr@euro": the part
// before the first "-", ".", "_" or "@", compared without ASCII case. Anything
// unknown is English.
Language language_from_locale(std::string_view text);

}  // namespace pellamy::i18n
