#include "command_line.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/run_process.hpp"

namespace pellamy {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

struct UsageCase {
    std::vector<std::string> args;
    int status;
    std::string out_contains;  // empty: standard output must be empty
    std::string err_contains;  // empty: standard error must be empty
};

const std::string missing_config = "Pellamy tray: Could not read configuration file\n";

class CommandLineProcess : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CommandLineProcess, ExitsWithStatusAndOutput) {
    const UsageCase& c = GetParam();
    std::vector<std::string> argv{PELLAMY_TRAY_EXE};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const auto result = testing::run_process(argv);

    EXPECT_EQ(result.exit_status, c.status);
    if (c.out_contains.empty()) {
        EXPECT_THAT(result.out, IsEmpty());
    } else {
        EXPECT_THAT(result.out, HasSubstr(c.out_contains));
    }
    if (c.err_contains.empty()) {
        EXPECT_THAT(result.err, IsEmpty());
    } else {
        EXPECT_THAT(result.err, HasSubstr(c.err_contains));
        if (c.status == 2) {
            EXPECT_THAT(result.err, HasSubstr("--help"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineProcess,
    ::testing::Values(
        UsageCase{{"--version"}, 0, "pellamy 0.1.3\n", ""},
        UsageCase{{"-V"}, 0, "pellamy 0.1.3\n", ""},
        UsageCase{{"-h"}, 0, "Pellamy desktop status tray", ""},
        // Accepted: start-up goes on to read the (missing) configuration file.
        UsageCase{{"--lang", "zh", "--config", "/nonexistent.toml"}, 1, "", missing_config},
        UsageCase{
            {"--port", "0", "--no-open", "--config", "/nonexistent.toml"}, 1, "", missing_config},
        UsageCase{
            {"--port=65535", "--open", "--config", "/nonexistent.toml"}, 1, "", missing_config},
        UsageCase{{"--port", "+80", "--config", "/nonexistent.toml"}, 1, "", missing_config},
        UsageCase{{"--bogus"}, 2, "", "--bogus"}, UsageCase{{"extra"}, 2, "", "extra"},
        UsageCase{{"-p", "80"}, 2, "", "-p"}, UsageCase{{"--home"}, 2, "", "--home"},
        UsageCase{{"--home", ""}, 2, "", "--home"}, UsageCase{{"--home="}, 2, "", "--home"},
        UsageCase{{"--config", ""}, 2, "", "--config"}, UsageCase{{"--lang", ""}, 2, "", "--lang"},
        UsageCase{{"--lang", "zh_CN"}, 2, "", "--lang"},
        UsageCase{{"--lang", "EN"}, 2, "", "--lang"},
        UsageCase{{"--port", "70000"}, 2, "", "--port"},
        UsageCase{{"--port", "65536"}, 2, "", "--port"},
        UsageCase{{"--port", "-1"}, 2, "", "--port"}, UsageCase{{"--port", "abc"}, 2, "", "--port"},
        UsageCase{{"--port", "0x50"}, 2, "", "--port"},
        UsageCase{{"--port", " 80"}, 2, "", "--port"},
        UsageCase{{"--port", "1e3"}, 2, "", "--port"},
        UsageCase{{"--port", "80", "--port", "81"}, 2, "", "--port"},
        UsageCase{{"--home", "/a", "--home", "/a"}, 2, "", "--home"},
        UsageCase{{"--open", "--open"}, 2, "", "--open"},
        UsageCase{{"--open", "--no-open"}, 2, "", "--open"},
        UsageCase{{"--no-open", "--open"}, 2, "", "--open"}));

TEST(CommandLineHelp, ShowsDescriptionOptionsAndProgramName) {
    const auto result = testing::run_process({PELLAMY_TRAY_EXE, "--help"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_THAT(result.out, StartsWith("Pellamy desktop status tray\n"));
    EXPECT_THAT(result.out, HasSubstr("Usage: pellamy-tray"));
    for (const char* text : {"Local dashboard port; zero selects an available port.",
                             "Start without opening a browser window.",
                             "Open a browser window even when configuration disables it.",
                             "--lang LANG", "en,zh,ja,de,fr", "--home HOME", "PELLAMY_HOME",
                             "--config CONFIG", "PELLAMY_CONFIG", "--port PORT"}) {
        EXPECT_THAT(result.out, HasSubstr(text));
    }
    EXPECT_THAT(result.err, IsEmpty());
}

// Parses in this process, with PELLAMY_HOME and PELLAMY_CONFIG under the test's control.
class CommandLineValues : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("PELLAMY_HOME");
        ::unsetenv("PELLAMY_CONFIG");
    }
    void TearDown() override { SetUp(); }

    static Args parse(std::vector<const char*> args) {
        args.insert(args.begin(), "pellamy-tray");
        auto parsed = parse_command_line(static_cast<int>(args.size()), args.data());
        EXPECT_TRUE(parsed.has_value());
        return parsed.value_or(Args{});
    }
};

TEST_F(CommandLineValues, AbsentOptionsStayAbsent) {
    const Args args = parse({});
    EXPECT_FALSE(args.lang);
    EXPECT_FALSE(args.home);
    EXPECT_FALSE(args.config);
    EXPECT_FALSE(args.desktop.port);
    EXPECT_FALSE(args.desktop.browser_override());
}

TEST_F(CommandLineValues, GivenOptionsAreTaken) {
    const Args args = parse({"--lang=de", "--home", "/h", "--config", "c.toml", "--port", "0080"});
    EXPECT_EQ(args.lang, "de");
    EXPECT_EQ(args.home, "/h");
    EXPECT_EQ(args.config, "c.toml");
    EXPECT_EQ(args.desktop.port, 80);
}

TEST_F(CommandLineValues, EnvironmentFillsOnlyAbsentOptions) {
    ::setenv("PELLAMY_HOME", "/from-env", 1);
    ::setenv("PELLAMY_CONFIG", "/env.toml", 1);
    EXPECT_EQ(parse({"--home", "/from-option"}).home, "/from-option");
    EXPECT_EQ(parse({"--home", "/from-option"}).config, "/env.toml");
    EXPECT_EQ(parse({}).home, "/from-env");
}

TEST_F(CommandLineValues, EmptyEnvironmentValueIsAbsent) {
    ::setenv("PELLAMY_HOME", "", 1);
    EXPECT_FALSE(parse({}).home);
}

TEST_F(CommandLineValues, BrowserOverrideFollowsFlags) {
    EXPECT_EQ(parse({"--open"}).desktop.browser_override(), true);
    EXPECT_EQ(parse({"--no-open"}).desktop.browser_override(), false);
}

}  // namespace
}  // namespace pellamy
