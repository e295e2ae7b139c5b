#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "i18n/language.hpp"

namespace pellamy::i18n {

// One language's catalog: English source text to the text shown.
class Translations {
public:
    // Parses the catalog compiled into the program.
    static Translations of(Language language);

    // The translation of a key equal to text, else text itself.
    std::string_view lookup(std::string_view text) const;

private:
    std::map<std::string, std::string, std::less<>> entries_;
};

}  // namespace pellamy::i18n
