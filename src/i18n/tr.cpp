#include "i18n/tr.hpp"

#include "i18n/language_cell.hpp"
#include "i18n/translations.hpp"

namespace pellamy::i18n {

std::string tr(std::string_view text) {
    // Built on the first call; concurrent first callers wait for the one build.
    static const Translations translations = Translations::of(language_cell().get());
    return std::string{translations.lookup(text)};
}

}  // namespace pellamy::i18n
