#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "config/lexical_path.hpp"
#include "config/resolve_path.hpp"
#include "support/scoped_env.hpp"

namespace pellamy::config {
namespace {

using testing::ScopedEnv;

struct AbsoluteCase {
    std::string path;
    std::string expected;  // a leading "$CWD" stands for the current directory
};

class AbsoluteLexical : public ::testing::TestWithParam<AbsoluteCase> {};

TEST_P(AbsoluteLexical, NormalisesWithoutTouchingTheFileSystem) {
    const AbsoluteCase& c = GetParam();
    std::string expected = c.expected;
    if (expected.starts_with("$CWD")) {
        expected.replace(0, 4, std::filesystem::current_path().native());
    }
    const auto absolute = absolute_lexical(c.path);
    ASSERT_TRUE(absolute.has_value()) << absolute.error().message;
    EXPECT_EQ(absolute->native(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AbsoluteLexical,
    ::testing::Values(AbsoluteCase{"/etc/pellamy/config.toml", "/etc/pellamy/config.toml"},
                      AbsoluteCase{"/a//b/./c", "/a/b/c"}, AbsoluteCase{"/a/../b", "/a/../b"},
                      AbsoluteCase{"/a/b/", "/a/b/"}, AbsoluteCase{"/", "/"},
                      AbsoluteCase{"config.toml", "$CWD/config.toml"},
                      AbsoluteCase{"./x/../y.toml", "$CWD/x/../y.toml"},
                      AbsoluteCase{".", "$CWD"}));

TEST(AbsoluteLexical, RefusesTheEmptyPath) {
    const auto absolute = absolute_lexical("");
    ASSERT_FALSE(absolute.has_value());
    EXPECT_EQ(absolute.error().message, "cannot make an empty path absolute");
}

struct ResolveCase {
    std::string value;
    std::string config_file;
    std::optional<std::string> home;  // HOME; the password database is not consulted with it set
    std::string expected;             // or the error message
    bool fails = false;
};

class ResolvePath : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolvePath, ExpandsAndAnchors) {
    const ResolveCase& c = GetParam();
    const ScopedEnv home{"HOME", c.home};
    const auto resolved = resolve_path(c.value, c.config_file);
    if (c.fails) {
        ASSERT_FALSE(resolved.has_value());
        EXPECT_EQ(resolved.error().message, c.expected);
    } else {
        ASSERT_TRUE(resolved.has_value()) << resolved.error().message;
        EXPECT_EQ(resolved->native(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResolvePath,
    ::testing::Values(
        ResolveCase{"data", "/etc/pellamy/config.toml", "/home/u", "/etc/pellamy/data"},
        ResolveCase{"../x", "/etc/pellamy/config.toml", "/home/u", "/etc/pellamy/../x"},
        ResolveCase{"/srv//vault/", "/etc/c.toml", "/home/u", "/srv/vault/"},
        ResolveCase{"~", "/etc/c.toml", "/home/u", "/home/u"},
        ResolveCase{"~/vault", "/etc/c.toml", "/home/u", "/home/u/vault"},
        ResolveCase{"~\\vault", "/etc/c.toml", "/home/u", "/home/u/vault"},
        ResolveCase{"~user/x", "/etc/c.toml", "/home/u", "/etc/~user/x"},
        ResolveCase{"~vault", "/etc/c.toml", "/home/u", "/etc/~vault"},
        ResolveCase{"", "/etc/pellamy/config.toml", "/home/u", "/etc/pellamy/"},
        ResolveCase{"data", "/config.toml", "/home/u", "/data"},
        ResolveCase{"data", "/", "/home/u", "Configuration has no parent directory", true}));

}  // namespace
}  // namespace pellamy::config
