#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "config/configuration.hpp"
#include "config/default_paths.hpp"
#include "config/user_dirs.hpp"
#include "support/scoped_env.hpp"

namespace pellamy::config {
namespace {

using testing::ScopedEnv;

struct DirsCase {
    std::string name;
    std::optional<std::string> xdg_config;
    std::optional<std::string> xdg_data;
    std::string config_file;
    std::string home;
};

std::string dirs_name(const ::testing::TestParamInfo<DirsCase>& param) {
    return param.param.name;
}

class PerUserDirs : public ::testing::TestWithParam<DirsCase> {};

TEST_P(PerUserDirs, FollowTheXdgConvention) {
    const DirsCase& c = GetParam();
    const ScopedEnv home{"HOME", "/home/u"};
    const ScopedEnv config{"XDG_CONFIG_HOME", c.xdg_config};
    const ScopedEnv data{"XDG_DATA_HOME", c.xdg_data};
    EXPECT_EQ(default_path().value(), c.config_file);
    EXPECT_EQ(default_home().value(), c.home);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PerUserDirs,
    ::testing::Values(
        DirsCase{"unset", std::nullopt, std::nullopt, "/home/u/.config/pellamy/config.toml",
                 "/home/u/.local/share/pellamy"},
        DirsCase{"set", "/x/conf", "/x/data", "/x/conf/pellamy/config.toml", "/x/data/pellamy"},
        DirsCase{"empty", "", "", "/home/u/.config/pellamy/config.toml",
                 "/home/u/.local/share/pellamy"},
        DirsCase{"relative", "conf", "data", "/home/u/.config/pellamy/config.toml",
                 "/home/u/.local/share/pellamy"}),
    dirs_name);

TEST(UserHome, FallsBackToThePasswordDatabase) {
    const ScopedEnv home{"HOME", ""};
    const auto found = user_home();
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->is_absolute()) << *found;
}

struct HomeCase {
    std::string name;
    std::optional<std::string> given;
    std::optional<std::string> variable;  // PELLAMY_HOME
    std::optional<std::string> storage_dir;
    std::string expected;
};

std::string home_name(const ::testing::TestParamInfo<HomeCase>& param) {
    return param.param.name;
}

class ConfigurationHome : public ::testing::TestWithParam<HomeCase> {};

TEST_P(ConfigurationHome, TakesTheFirstPresent) {
    const HomeCase& c = GetParam();
    const ScopedEnv user{"HOME", "/home/u"};
    const ScopedEnv data{"XDG_DATA_HOME", std::nullopt};
    const ScopedEnv variable{"PELLAMY_HOME", c.variable};
    Configuration configuration;
    if (c.storage_dir) {
        configuration.settings.storage_dir = *c.storage_dir;
    }
    const auto given = c.given ? std::optional<std::filesystem::path>{*c.given} : std::nullopt;
    EXPECT_EQ(configuration.home(given).value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigurationHome,
    ::testing::Values(HomeCase{"option_unchanged", "rel/home", "/env", "/stored", "rel/home"},
                      HomeCase{"variable", std::nullopt, "/env", "/stored", "/env"},
                      HomeCase{"storage_dir", std::nullopt, std::nullopt, "/stored", "/stored"},
                      HomeCase{"default", std::nullopt, std::nullopt, std::nullopt,
                               "/home/u/.local/share/pellamy"}),
    home_name);

}  // namespace
}  // namespace pellamy::config
