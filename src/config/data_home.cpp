#include "config/data_home.hpp"

#include <system_error>

namespace pellamy::config {

std::expected<std::filesystem::path, Error> data_home(const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(home, error);  // mode 0777 less the umask
    if (!error) {
        fs::permissions(home, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    if (error) {
        return std::unexpected{Error::from(core::Error::io(error))};
    }
    auto canonical = fs::canonical(home, error);
    if (error) {
        return std::unexpected{Error{error.message()}};
    }
    return canonical;
}

}  // namespace pellamy::config
