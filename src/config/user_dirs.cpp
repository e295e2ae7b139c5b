#include "config/user_dirs.hpp"

#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "config/environment.hpp"

namespace pellamy::config {
namespace {

std::optional<std::filesystem::path> password_database_home() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || *found->pw_dir == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path{found->pw_dir};
}

#if defined(__APPLE__)

std::optional<std::filesystem::path> project_dir() {
    auto home = user_home();
    if (!home) {
        return std::nullopt;
    }
    return *home / "Library" / "Application Support" / "app.pellamy.pellamy";
}

#else

// An XDG base directory: the variable when it holds an absolute path, else the
// fallback below the user's home.
std::optional<std::filesystem::path> base_dir(const char* variable,
                                              const std::filesystem::path& fallback) {
    if (const auto value = environment_variable(variable); value && value->starts_with('/')) {
        return std::filesystem::path{*value};
    }
    auto home = user_home();
    if (!home) {
        return std::nullopt;
    }
    return *home / fallback;
}

#endif

}  // namespace

std::optional<std::filesystem::path> user_home() {
    if (auto home = environment_variable("HOME"); home && !home->empty()) {
        return std::filesystem::path{std::move(*home)};
    }
    return password_database_home();
}

#if defined(__APPLE__)

std::optional<std::filesystem::path> project_config_dir() {
    return project_dir();
}
std::optional<std::filesystem::path> project_data_dir() {
    return project_dir();
}

#else

std::optional<std::filesystem::path> project_config_dir() {
    auto base = base_dir("XDG_CONFIG_HOME", ".config");
    return base ? std::optional{*base / "pellamy"} : std::nullopt;
}

std::optional<std::filesystem::path> project_data_dir() {
    auto base = base_dir("XDG_DATA_HOME", ".local/share");
    return base ? std::optional{*base / "pellamy"} : std::nullopt;
}

#endif

}  // namespace pellamy::config
