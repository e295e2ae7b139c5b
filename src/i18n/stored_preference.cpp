#include "i18n/stored_preference.hpp"

#include "config/read_only_file.hpp"
#include "config/utf8.hpp"
#include "i18n/white_space.hpp"

namespace pellamy::i18n {

std::optional<Language> read_stored_preference(const std::filesystem::path& directory) {
    constexpr std::size_t read_limit = 16;
    const config::ReadOnlyFile file{directory / "language.txt"};
    if (file.open_error() != 0) {
        return std::nullopt;
    }
    const auto head = file.read(read_limit);
    if (!head || !config::is_utf8(*head)) {
        return std::nullopt;
    }
    return language_from_code(trim_white_space(*head));
}

}  // namespace pellamy::i18n
