#include "i18n/argument_scan.hpp"

#include "i18n/utf8.hpp"

namespace pellamy::i18n {

std::optional<std::string> scan_option(std::span<const std::string_view> arguments,
                                       std::string_view name) {
    std::optional<std::string> value;
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        const std::string_view argument = *it;
        if (argument == "--") {
            break;
        }
        if (argument == name) {
            if (++it == arguments.end()) {
                return std::nullopt;
            }
            value = std::string{*it};
        } else if (argument.starts_with(name) && argument.substr(name.size()).starts_with('=') &&
                   is_valid_utf8(argument)) {
            value = std::string{argument.substr(name.size() + 1)};
        }
    }
    return value;
}

}  // namespace pellamy::i18n
