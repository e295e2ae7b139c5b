#pragma once

#include <string_view>

namespace pellamy::i18n {

// Well-formed UTF-8: no overlong forms, surrogates, code points past U+10FFFF
// or cut sequences.
bool is_valid_utf8(std::string_view text);

// Valid UTF-8 text without its leading and trailing Unicode White_Space.
std::string_view trim_white_space(std::string_view text);

}  // namespace pellamy::i18n
