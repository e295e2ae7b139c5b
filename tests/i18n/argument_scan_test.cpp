#include "i18n/argument_scan.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace pellamy::i18n {
namespace {

struct ScanCase {
    std::vector<std::string_view> arguments;  // after the program path
    std::optional<std::string> expected;
};

class ArgumentScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ArgumentScan, FindsTheLastValueBeforeTheEndOfOptions) {
    std::vector<std::string_view> arguments{"pellamy-tray"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    EXPECT_EQ(scan_option(arguments, "--home"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentScan,
    ::testing::Values(
        ScanCase{{}, std::nullopt}, ScanCase{{"--port", "80"}, std::nullopt},
        ScanCase{{"--home", "/a"}, "/a"}, ScanCase{{"--home=/a"}, "/a"}, ScanCase{{"--home="}, ""},
        ScanCase{{"--home", ""}, ""},
        // The next argument is taken whatever it looks like, and not scanned itself.
        ScanCase{{"--home", "--"}, "--"}, ScanCase{{"--home", "--home", "/b"}, "--home"},
        ScanCase{{"--home", "--home=/b"}, "--home=/b"}, ScanCase{{"--home", "\xff"}, "\xff"},
        // Later matches replace earlier ones; a trailing name leaves nothing.
        ScanCase{{"--home", "/a", "--home=/b"}, "/b"},
        ScanCase{{"--home=/a", "--home", "/b"}, "/b"}, ScanCase{{"--home"}, std::nullopt},
        ScanCase{{"--home=/a", "--home"}, std::nullopt},
        // "--" ends the scan unless it is a value.
        ScanCase{{"--", "--home", "/a"}, std::nullopt},
        ScanCase{{"--home", "/a", "--", "--home=/b"}, "/a"},
        // Only the exact name, or the name with "=" in a valid UTF-8 argument.
        ScanCase{{"--homes", "/a"}, std::nullopt}, ScanCase{{"--homes=/a"}, std::nullopt},
        ScanCase{{"--HOME", "/a"}, std::nullopt}, ScanCase{{"-home", "/a"}, std::nullopt},
        ScanCase{{"--home=/a\xff"}, std::nullopt}, ScanCase{{"--home=/a", "--home=\xff"}, "/a"},
        ScanCase{{"--home=/a=b"}, "/a=b"}));

TEST(ArgumentScan, ReadsTheProgramPathToo) {
    const std::vector<std::string_view> arguments{"--home=/a"};
    EXPECT_EQ(scan_option(arguments, "--home"), "/a");
}

}  // namespace
}  // namespace pellamy::i18n
