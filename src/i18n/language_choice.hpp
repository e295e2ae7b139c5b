#pragma once

#include <span>
#include <string_view>

#include "i18n/language.hpp"

namespace pellamy::i18n {

// The language asked for by the raw arguments (--lang), PELLAMY_LANG, the stored
// preference, then LC_ALL, LC_MESSAGES and LANG; English when none names one.
// Reads the environment and files but never fails and never prints.
Language choose_language(std::span<const std::string_view> arguments);

}  // namespace pellamy::i18n
