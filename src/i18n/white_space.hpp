#pragma once

#include <string_view>

namespace pellamy::i18n {

// Valid UTF-8 text without its leading and trailing Unicode White_Space.
std::string_view trim_white_space(std::string_view text);

}  // namespace pellamy::i18n
