#include "i18n/white_space.hpp"

#include <array>

namespace pellamy::i18n {
namespace {

// Every White_Space character, UTF-8 encoded. In valid UTF-8 a match of a whole
// encoding at either end is always a whole character.
constexpr std::array<std::string_view, 25> white_space{
    "\t",     "\n",     "\v",     "\f",     "\r",     " ",      "\u0085", "\u00a0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200a", "\u2028", "\u2029", "\u202f", "\u205f", "\u3000"};

}  // namespace

std::string_view trim_white_space(std::string_view text) {
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const std::string_view space : white_space) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                trimmed = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                trimmed = true;
            }
        }
    }
    return text;
}

}  // namespace pellamy::i18n
