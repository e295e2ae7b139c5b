#include "config/resolve_path.hpp"

#include "config/lexical_path.hpp"
#include "config/user_dirs.hpp"

namespace pellamy::config {
namespace {

std::expected<std::filesystem::path, Error> expand_tilde(const std::filesystem::path& value) {
    const std::string& text = value.native();
    const bool lone = text == "~";
    if (!lone && !text.starts_with("~/") && !text.starts_with("~\\")) {
        return value;  // ~user/x included: only the current user's home is known
    }
    auto home = user_home();
    if (!home) {
        return std::unexpected{Error{"Cannot resolve the user home directory"}};
    }
    return lone ? *home : *home / text.substr(2);
}

}  // namespace

std::expected<std::filesystem::path, Error> resolve_path(const std::filesystem::path& value,
                                                         const std::filesystem::path& config_file) {
    const auto expanded = expand_tilde(value);
    if (!expanded) {
        return expanded;
    }
    if (expanded->native().starts_with('/')) {
        return absolute_lexical(*expanded);
    }
    const auto directory = lexical_parent(config_file);
    if (!directory) {
        return std::unexpected{Error{"Configuration has no parent directory"}};
    }
    return absolute_lexical(*directory / *expanded);
}

}  // namespace pellamy::config
