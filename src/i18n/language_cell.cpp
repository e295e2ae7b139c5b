#include "i18n/language_cell.hpp"

namespace pellamy::i18n {

bool LanguageCell::set(Language language) {
    std::uint8_t expected = unset;
    return value_.compare_exchange_strong(expected, static_cast<std::uint8_t>(language));
}

Language LanguageCell::get() const {
    const std::uint8_t value = value_.load();
    return value == unset ? Language::English : static_cast<Language>(value);
}

LanguageCell& language_cell() {
    static LanguageCell cell;
    return cell;
}

}  // namespace pellamy::i18n
