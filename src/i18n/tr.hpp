#pragma once

#include <string>
#include <string_view>

namespace pellamy::i18n {

// The English text in the chosen language (English before initialize()), or the
// text unchanged when the catalog lacks it. Safe from any thread.
std::string tr(std::string_view text);

}  // namespace pellamy::i18n
