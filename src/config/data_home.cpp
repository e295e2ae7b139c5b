#include "config/data_home.hpp"

#include <string>
#include <system_error>

namespace pellamy::config {

std::expected<std::filesystem::path, Error> data_home(const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    // The system reads a path only up to a NUL byte (TOML strings may hold
    // one), so it would prepare another directory than the one configured.
    if (home.native().find('\0') != std::string::npos) {
        return std::unexpected{
            Error::from(core::Error::io(std::make_error_code(std::errc::invalid_argument)))};
    }
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
