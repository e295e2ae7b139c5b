#include "config/config_file.hpp"

#include <cerrno>

#include "config/read_only_file.hpp"
#include "config/utf8.hpp"

namespace pellamy::config {

std::expected<std::optional<std::string>, Error> read_config_file(const std::filesystem::path& path,
                                                                  bool required) {
    const ReadOnlyFile file{path};
    if (file.open_error() != 0) {
        if (!required && file.open_error() == ENOENT) {
            return std::nullopt;
        }
        return std::unexpected{Error{"Could not read configuration file"}};
    }
    auto text = file.read(config_size_limit + 1);
    if (!text || !is_utf8(*text)) {
        return std::unexpected{Error{"Configuration must be UTF-8 text"}};
    }
    if (text->size() > config_size_limit) {
        return std::unexpected{Error{"Configuration exceeds 64 KiB"}};
    }
    return std::optional{std::move(*text)};
}

}  // namespace pellamy::config
