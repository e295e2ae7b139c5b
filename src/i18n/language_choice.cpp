#include "i18n/language_choice.hpp"

#include <initializer_list>
#include <optional>

#include "config/environment.hpp"
#include "config/utf8.hpp"
#include "i18n/argument_scan.hpp"
#include "i18n/preference_directory.hpp"
#include "i18n/stored_preference.hpp"

namespace pellamy::i18n {
namespace {

// A variable that is set, valid UTF-8 and not empty.
std::optional<std::string> environment_text(const char* name) {
    auto value = config::environment_variable(name);
    if (!value || value->empty() || !config::is_utf8(*value)) {
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
    if (const auto lang = scan_option(arguments, "--lang"); lang && config::is_utf8(*lang)) {
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
