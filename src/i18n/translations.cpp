#include "i18n/translations.hpp"

#include <boost/json/parse.hpp>

#include "embedded/i18n_catalogs.hpp"

namespace pellamy::i18n {
namespace {

std::string_view catalog_text(Language language) {
    switch (language) {
        case Language::English:
            return catalog::en_json;
        case Language::Chinese:
            return catalog::zh_json;
        case Language::Japanese:
            return catalog::ja_json;
        case Language::German:
            return catalog::de_json;
        case Language::French:
            return catalog::fr_json;
    }
    return catalog::en_json;
}

}  // namespace

Translations Translations::of(Language language) {
    Translations translations;
    // The catalogs are the program's own fixed data; should one ever fail to
    // parse, its texts simply stay in English.
    boost::system::error_code error;
    const auto document = boost::json::parse(catalog_text(language), error);
    if (error || !document.is_object()) {
        return translations;
    }
    for (const auto& member : document.get_object()) {
        if (const auto* value = member.value().if_string()) {
            translations.entries_.emplace(member.key(), std::string_view{*value});
        }
    }
    return translations;
}

std::string_view Translations::lookup(std::string_view text) const {
    const auto found = entries_.find(text);
    return found == entries_.end() ? text : std::string_view{found->second};
}

}  // namespace pellamy::i18n
