#include "desktop/tool.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/run_process.hpp"
#include "support/temp_dir.hpp"

namespace pellamy::desktop {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::write_file;

enum class Beside { Regular, Directory, Missing, LinkToRegular, DanglingLink };
enum class Expect { TheToolBeside, Itself, Refused };

struct ToolCase {
    std::string executable;
    Beside beside;
    Expect expect;
};

TEST(ToolFor, FindsTheToolBesideATrayExecutable) {
    for (const ToolCase& c : {
             ToolCase{"pellamy-tray", Beside::Regular, Expect::TheToolBeside},
             ToolCase{"pellamy-tray.bin", Beside::Regular, Expect::TheToolBeside},
             ToolCase{"pellamy-tray.", Beside::Regular, Expect::TheToolBeside},
             ToolCase{"pellamy-tray", Beside::LinkToRegular, Expect::TheToolBeside},
             ToolCase{"pellamy-tray", Beside::Missing, Expect::Refused},
             ToolCase{"pellamy-tray", Beside::Directory, Expect::Refused},
             ToolCase{"pellamy-tray.app", Beside::DanglingLink, Expect::Refused},
             ToolCase{"Pellamy-tray", Beside::Missing, Expect::Itself},
             ToolCase{"pellamy-tray.tar.gz", Beside::Missing, Expect::Itself},
             ToolCase{".pellamy-tray", Beside::Missing, Expect::Itself},
             ToolCase{"pellamy-trayx", Beside::Missing, Expect::Itself},
             ToolCase{"pellamy", Beside::Regular, Expect::Itself},
             ToolCase{"..", Beside::Missing, Expect::Itself},
         }) {
        const TempDir dir;
        const fs::path tool = dir.path() / "pellamy";
        switch (c.beside) {
            case Beside::Regular:
                write_file(tool, "#!/bin/sh\n", fs::perms{0755});
                break;
            case Beside::Directory:
                fs::create_directory(tool);
                break;
            case Beside::Missing:
                break;
            case Beside::LinkToRegular:
                write_file(dir.path() / "real", "#!/bin/sh\n", fs::perms{0755});
                fs::create_symlink("real", tool);
                break;
            case Beside::DanglingLink:
                fs::create_symlink("gone", tool);
                break;
        }
        const fs::path executable = dir.path() / c.executable;

        const auto found = tool_for(executable);

        switch (c.expect) {
            case Expect::TheToolBeside:
                EXPECT_EQ(found, tool) << c.executable;
                break;
            case Expect::Itself:
                EXPECT_EQ(found, executable) << c.executable;
                break;
            case Expect::Refused:
                EXPECT_EQ(found, std::unexpected("Keep the Pellamy CLI beside the tray executable"))
                    << c.executable;
                break;
        }
    }
}

TEST(LocateTool, AnyOtherExecutableRunsItself) {
    const auto tool = locate_tool();
    ASSERT_TRUE(tool.has_value()) << tool.error();
    EXPECT_TRUE(tool->is_absolute());
    EXPECT_EQ(fs::canonical(*tool), fs::canonical("/proc/self/exe"));
}

// Started through a symbolic link, the path is the link's: a "pellamy-tray"
// link into a bundle must find the tool beside the link. The test runs itself
// again through such a link and checks there.
TEST(RunningExecutable, IsThePathAsStarted) {
    if (const char* expected = ::getenv("PELLAMY_EXPECTED_EXECUTABLE")) {
        EXPECT_EQ(running_executable(), fs::path{expected});
        return;
    }
    const TempDir dir;
    const fs::path link = dir.path() / "linked-tests";
    fs::create_symlink(fs::canonical("/proc/self/exe"), link);

    const auto result = pellamy::testing::run_process(
        {link.string(), "--gtest_filter=RunningExecutable.IsThePathAsStarted"},
        {"PELLAMY_EXPECTED_EXECUTABLE=" + link.string()});

    EXPECT_EQ(result.exit_status, 0) << result.out;
    EXPECT_THAT(result.out, ::testing::HasSubstr("1 test"));
}

TEST(ToolCommand, BuildsArgumentsInOrderWithQuietStreams) {
    const fs::path tool = "/opt/p/pellamy";
    const fs::path home = "/h/\xff home";

    const Command plain = tool_command(tool, home, std::nullopt, "desktop-status");
    EXPECT_EQ(plain.program, "/opt/p/pellamy");
    EXPECT_THAT(plain.args, ::testing::ElementsAre("/opt/p/pellamy", "--home", "/h/\xff home",
                                                   "desktop-status"));
    EXPECT_EQ(plain.input, Stdio::Null);
    EXPECT_EQ(plain.output, Stdio::Inherit);
    EXPECT_EQ(plain.error, Stdio::Null);

    const Command configured = tool_command(tool, home, fs::path{"/etc/c.toml"}, "daemon");
    EXPECT_THAT(configured.args, ::testing::ElementsAre("/opt/p/pellamy", "--config", "/etc/c.toml",
                                                        "--home", "/h/\xff home", "daemon"));
}

}  // namespace
}  // namespace pellamy::desktop
