#include "desktop/probe.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "support/temp_dir.hpp"

namespace pellamy::desktop {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using std::chrono::steady_clock;
using testing::write_file;

constexpr std::string_view record =
    R"({"version":"1.0","initialized":true,"unlocked":false,"details":null})";

std::string wrapped(std::string_view value = record) {
    return R"({"result":)" + std::string{value} + "}";
}

std::string nested(int levels) {
    return R"({"result":)" + std::string{record} + R"(,"deep":)" +
           std::string(static_cast<std::size_t>(levels - 1), '[') +
           std::string(static_cast<std::size_t>(levels - 1), ']') + "}";
}

std::string read_file(const fs::path& file) {
    std::ifstream in{file, std::ios::binary};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool no_child_left() {
    return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

class Probe : public ::testing::Test {
protected:
    Probe() { fs::create_directory(home); }

    // A tool script; it finds the test's folder in `dir`.
    fs::path tool(std::string_view body) {
        const fs::path path = dir.path() / "pellamy";
        write_file(path, "#!/bin/sh\ndir='" + dir.path().string() + "'\n" + std::string{body},
                   fs::perms{0755});
        return path;
    }

    std::expected<DesktopStatus, std::string> probe(const fs::path& tool_path) {
        return probe_status(tool_path, home, std::nullopt, *shared);
    }

    testing::TempDir dir;
    fs::path home = dir.path() / "home";
    std::shared_ptr<Shared> shared = Shared::create();
};

struct OutputCase {
    std::string name;
    std::string output;
    bool accepted;
};

class ProbeOutput : public Probe, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(ProbeOutput, GivesTheRecordOrFails) {
    const OutputCase& c = GetParam();
    write_file(dir.path() / "output", c.output);

    const auto status = probe(tool("cat \"$dir/output\"\n"));

    if (c.accepted) {
        ASSERT_TRUE(status.has_value()) << status.error();
        EXPECT_EQ(status->version, "1.0");
        EXPECT_TRUE(status->initialized);
        EXPECT_FALSE(status->unlocked);
    } else {
        EXPECT_FALSE(status.has_value());
    }
    EXPECT_TRUE(no_child_left());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProbeOutput,
    ::testing::Values(
        OutputCase{"TrailingNewline", wrapped() + "\n", true},
        OutputCase{"NoTrailingNewline", wrapped(), true},
        OutputCase{"JsonWhitespaceAround", " \t\r\n" + wrapped() + "\r\n\t ", true},
        OutputCase{"OtherMembersIgnored", R"({"id":7,"result":)" + std::string{record} + "}", true},
        OutputCase{"LastResultCounts", R"({"result":null,"result":)" + std::string{record} + "}",
                   true},
        OutputCase{"Nesting128", nested(128), true}, OutputCase{"Nesting129", nested(129), false},
        OutputCase{"BareRecord", std::string{record}, false},
        OutputCase{"NullResult", wrapped("null"), false},
        OutputCase{"InvalidRecord", wrapped(R"({"version":"1"})"), false},
        OutputCase{"ArrayDocument", "[" + wrapped() + "]", false},
        OutputCase{"SecondValue", wrapped() + "\n{}", false},
        OutputCase{"TrailingText", wrapped() + " ok", false},
        OutputCase{"FormFeedAfter", wrapped() + "\f", false},
        OutputCase{"ByteOrderMark", "\xEF\xBB\xBF" + wrapped(), false},
        OutputCase{"Truncated", wrapped().substr(0, 20), false}, OutputCase{"Empty", "", false}),
    [](const ::testing::TestParamInfo<OutputCase>& param) { return param.param.name; });

TEST_F(Probe, UnsuccessfulExitIsDaemonUnavailable) {
    for (const char* ending : {"exit 1", "exit 255", "kill -TERM $$"}) {
        const auto status = probe(tool(std::string{"echo '"} + wrapped() + "'\n" + ending + "\n"));
        EXPECT_EQ(status, std::unexpected("Daemon unavailable")) << ending;
    }
}

TEST_F(Probe, ToolThatCannotStartFailsWithTheSystemError) {
    EXPECT_EQ(probe(dir.path() / "missing"), std::unexpected("No such file or directory"));

    write_file(dir.path() / "plain", "#!/bin/sh\n", fs::perms{0644});
    EXPECT_EQ(probe(dir.path() / "plain"), std::unexpected("Permission denied"));
}

TEST_F(Probe, HangingToolIsKilledAtTheDeadline) {
    const auto started = steady_clock::now();
    const auto status = probe(tool("echo $$ > \"$dir/pid\"\nexec sleep 10\n"));
    const auto took = steady_clock::now() - started;

    EXPECT_EQ(status, std::unexpected("Status probe timed out"));
    EXPECT_GE(took, 3s);
    EXPECT_LT(took, 9s) << "the tool's own sleep ended the probe";
    EXPECT_TRUE(no_child_left());
    const pid_t pid = std::stoi(read_file(dir.path() / "pid"));
    EXPECT_NE(::kill(pid, 0), 0) << "the tool still runs";
}

TEST_F(Probe, StopRequestEndsAHangingProbe) {
    std::jthread stopper{[this] {
        std::this_thread::sleep_for(300ms);
        shared->request_stop();
    }};
    const auto started = steady_clock::now();
    const auto status = probe(tool("exec sleep 10\n"));
    const auto took = steady_clock::now() - started;

    EXPECT_EQ(status, std::unexpected("Status probe timed out"));
    EXPECT_LT(took, 2s) << "ended by the deadline, not by the stop request";
    EXPECT_TRUE(no_child_left());
}

TEST_F(Probe, GrandchildHoldingThePipeCannotBlockTheProbe) {
    const auto started = steady_clock::now();
    const auto status = probe(
        tool("sleep 10 &\necho $! > \"$dir/grandchild\"\necho '" + wrapped() + "'\nexit 0\n"));
    const auto took = steady_clock::now() - started;
    ::kill(std::stoi(read_file(dir.path() / "grandchild")), SIGKILL);

    EXPECT_EQ(status, std::unexpected("Status probe timed out"));
    EXPECT_LT(took, 9s);
    EXPECT_TRUE(no_child_left());
}

TEST_F(Probe, RunawayOutputOfAGrandchildIsCut) {
    const auto status = probe(tool("head -c 4000000 /dev/zero &\nexit 0\n"));

    EXPECT_EQ(status, std::unexpected("Status probe output too large"));
    EXPECT_TRUE(no_child_left());
}

TEST_F(Probe, PassesTheExactArguments) {
    const fs::path odd_home = dir.path() / "h\xff me";
    const fs::path config = dir.path() / "config.toml";
    fs::create_directory(odd_home);
    const fs::path script =
        tool("printf '%s\\n' \"$0\" \"$@\" > \"$dir/argv\"\necho '" + wrapped() + "'\n");

    ASSERT_TRUE(probe_status(script, odd_home, std::nullopt, *shared).has_value());
    EXPECT_EQ(read_file(dir.path() / "argv"),
              script.string() + "\n--home\n" + odd_home.string() + "\ndesktop-status\n");

    ASSERT_TRUE(probe_status(script, odd_home, config, *shared).has_value());
    EXPECT_EQ(read_file(dir.path() / "argv"), script.string() + "\n--config\n" + config.string() +
                                                  "\n--home\n" + odd_home.string() +
                                                  "\ndesktop-status\n");
}

TEST_F(Probe, ToolSeesOnlyStandardDescriptors) {
    // ls lists its own descriptors: the three standard ones and the one it reads with.
    const auto status =
        probe(tool("ls /proc/self/fd > \"$dir/fds\"\n"
                   "readlink /proc/self/fd/0 /proc/self/fd/2 > \"$dir/quiet\"\n"
                   "echo '" +
                   wrapped() + "'\n"));

    ASSERT_TRUE(status.has_value()) << status.error();
    EXPECT_EQ(read_file(dir.path() / "fds"), "0\n1\n2\n3\n");
    EXPECT_EQ(read_file(dir.path() / "quiet"), "/dev/null\n/dev/null\n");
}

}  // namespace
}  // namespace pellamy::desktop
