#include "i18n/language_choice.hpp"

#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "i18n/argument_scan.hpp"
#include "i18n/preference_directory.hpp"
#include "i18n/stored_preference.hpp"
#include "i18n/utf8.hpp"

namespace pellamy::i18n {
namespace {

// A variable that is set, valid UTF-8 and not empty.
std::optional<std::string_view> environment_text(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0' || !is_valid_utf8(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<Language> stored_preference(std::span<const std::string_view> arguments) {
    const auto directory =
        preference_directory(scan_option(arguments, "--home"), scan_option(arguments, "--config"));
    if (!directory) {
        return std::nullopt;
    }
    return read_stored_preference(*directory);
}

}  // namespace

Language choose_language(std::span<const std::string_view> arguments) {
    if (const auto lang = scan_option(arguments, "--lang"); lang && is_valid_utf8(*lang)) {
        return language_from_locale(*lang);
    }
    if (const auto lang = environment_text("PELLAMY_LANG")) {
        return language_from_locale(*lang);
    }
    if (const auto stored = stored_preference(arguments)) {
        return *stored;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const auto locale = environment_text(name)) {
            return language_from_locale(*locale);
        }
    }
    return Language::English;
}

}  // namespace pellamy::i18n
