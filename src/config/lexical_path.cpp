#include "config/lexical_path.hpp"

#include <ranges>
#include <string_view>
#include <system_error>

namespace pellamy::config {

std::expected<std::filesystem::path, Error> absolute_lexical(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (text.empty()) {
        return std::unexpected{Error{"cannot make an empty path absolute"}};
    }
    std::string result = "/";
    if (!text.starts_with('/')) {
        std::error_code error;
        result = std::filesystem::current_path(error).native();
        if (error) {
            return std::unexpected{Error{error.message()}};
        }
    }
    for (const auto part : std::views::split(text, '/')) {
        const std::string_view name{part.begin(), part.end()};
        if (name.empty() || name == ".") {
            continue;
        }
        if (!result.ends_with('/')) {
            result += '/';
        }
        result += name;
    }
    if (text.ends_with('/') && !result.ends_with('/')) {
        result += '/';
    }
    return std::filesystem::path{std::move(result)};
}

std::optional<std::filesystem::path> lexical_parent(const std::filesystem::path& path) {
    std::string_view text = path.native();
    while (text.size() > 1 && text.ends_with('/')) {
        text.remove_suffix(1);
    }
    const std::size_t slash = text.rfind('/');
    if (text == "/" || slash == std::string_view::npos) {
        return std::nullopt;
    }
    return std::filesystem::path{std::string{text.substr(0, slash == 0 ? 1 : slash)}};
}

}  // namespace pellamy::config
