#pragma once

#include <string_view>

namespace pellamy::config {

// Well-formed UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool is_utf8(std::string_view bytes);

}  // namespace pellamy::config
