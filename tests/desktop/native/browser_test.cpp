#include "desktop/native/browser.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop/native/signals.hpp"

namespace pellamy::desktop::native {
namespace {

namespace fs = std::filesystem;

// Characters a shell would take apart, to show that no shell sees the URL.
const std::string url = "http://127.0.0.1:4242/#token=ab&c d;$HOME";

std::string read_file(const fs::path& path) {
    std::ifstream in{path};
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch folder that serves as PATH and holds launchers that record what
// they received.
class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pellamy-browser-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        ::setenv("PATH", dir.c_str(), 1);
        ::unsetenv("BROWSER");
    }
    void TearDown() override { fs::remove_all(dir); }

    // A launcher that writes its arguments, one a line, and exits with `status`.
    fs::path add_launcher(const std::string& name, int status) {
        const fs::path path = dir / name;
        std::ofstream{path} << "#!/bin/sh\n"
                            << "printf '%s\\n' \"$#\" \"$@\" > '" << (dir / "args").string()
                            << "'\necho noise; echo noise >&2\nexit " << status << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    std::string received() const { return read_file(dir / "args"); }

    fs::path dir;
};

struct LaunchCase {
    const char* name;
    std::optional<std::string> browser;  // none: BROWSER unset; "@": the launcher's full path
    std::string launcher;                // the launcher placed on PATH
};

class LauncherChoice : public Launcher, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(LauncherChoice, RunsTheLauncherWithTheUrlAsItsOnlyArgument) {
    const LaunchCase& c = GetParam();
    const fs::path path = add_launcher(c.launcher, 0);
    if (c.browser) {
        ::setenv("BROWSER", *c.browser == "@" ? path.c_str() : c.browser->c_str(), 1);
    }
    const auto opened = open_in_browser(url);
    ASSERT_TRUE(opened) << opened.error().message();
    EXPECT_EQ(received(), "1\n" + url + "\n");
}

INSTANTIATE_TEST_SUITE_P(Table, LauncherChoice,
                         ::testing::Values(LaunchCase{"BrowserPath", "@", "chosen"},
                                           LaunchCase{"BrowserNameOnPath", "chosen", "chosen"},
                                           LaunchCase{"BrowserEmpty", "", "xdg-open"},
                                           LaunchCase{"BrowserUnset", std::nullopt, "xdg-open"}),
                         [](const auto& param_info) { return std::string{param_info.param.name}; });

TEST_F(Launcher, LauncherThatExitsNonZeroIsAnError) {
    ::setenv("BROWSER", add_launcher("chosen", 3).c_str(), 1);
    const auto opened = open_in_browser(url);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().message(), "The browser launcher failed");
    EXPECT_EQ(received(), "1\n" + url + "\n");
}

TEST_F(Launcher, MissingLauncherIsAnError) {
    for (const std::optional<std::string>& browser :
         {std::optional<std::string>{(dir / "absent").string()}, {"absent"}, {}}) {
        if (browser) {
            ::setenv("BROWSER", browser->c_str(), 1);
        } else {
            ::unsetenv("BROWSER");  // and no xdg-open on PATH
        }
        const auto opened = open_in_browser(url);
        ASSERT_FALSE(opened) << browser.value_or("unset");
        EXPECT_EQ(opened.error().message(), "Could not start the browser launcher");
    }
}

// Run as the tray runs it: termination signals blocked in the parent.
TEST_F(Launcher, LauncherGetsNullStreamsAndNoBlockedSignals) {
    block_termination_signals();
    const fs::path report = dir / "report";
    const fs::path path = dir / "inspect";
    // $$ is the launcher itself, read before any redirection of its own.
    std::ofstream script{path};
    script << "#!/bin/sh\n"
           << "streams=$(for fd in 0 1 2; do /bin/readlink /proc/$$/fd/$fd; done)\n"
           << "signals=$(/bin/grep -E '^Sig(Blk|Ign)' /proc/$$/status)\n"
           << "printf '%s\\n%s\\n' \"$streams\" \"$signals\" > '" << report.string() << "'\n";
    script.close();
    fs::permissions(path, fs::perms::owner_all);
    ::setenv("BROWSER", path.c_str(), 1);

    ASSERT_TRUE(open_in_browser(url));
    std::istringstream lines{read_file(report)};
    for (int fd = 0; fd < 3; ++fd) {
        std::string target;
        std::getline(lines, target);
        EXPECT_EQ(target, "/dev/null") << fd;
    }
    // Masks of signals 1 to 31; the C library keeps the real-time ones above for itself.
    constexpr unsigned long long standard_signals = 0x7fffffffULL;
    for (const char* name : {"SigBlk:", "SigIgn:"}) {
        std::string label;
        std::string mask;
        lines >> label >> mask;
        EXPECT_EQ(label, name);
        EXPECT_EQ(std::stoull(mask, nullptr, 16) & standard_signals, 0U) << name << mask;
    }
}

}  // namespace
}  // namespace pellamy::desktop::native
