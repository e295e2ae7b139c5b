#include "desktop/process.hpp"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <set>
#include <thread>

namespace pellamy::desktop {
namespace {

using namespace std::chrono_literals;

Command shell(std::string script) {
    return Command{.program = "/bin/sh", .args = {"sh", "-c", std::move(script)}};
}

std::string read_all(UniqueFd& fd) {
    std::string text;
    std::array<char, 256> buffer{};
    for (ssize_t count; (count = ::read(fd.get(), buffer.data(), buffer.size())) != 0;) {
        if (count < 0) {
            EXPECT_EQ(errno, EINTR);
            continue;
        }
        text.append(buffer.data(), static_cast<std::size_t>(count));
    }
    return text;
}

std::set<std::string> open_descriptors(pid_t pid) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator{"/proc/" + std::to_string(pid) + "/fd", error}) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool is_reaped(pid_t pid) {
    return ::waitpid(pid, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

struct EndCase {
    std::string script;
    std::optional<int> code;
    std::optional<int> signal;
};

TEST(Spawn, ReportsHowTheChildEnded) {
    for (const EndCase& c : {EndCase{"exit 0", 0, std::nullopt}, EndCase{"exit 3", 3, std::nullopt},
                             EndCase{"kill -KILL $$", std::nullopt, SIGKILL}}) {
        auto child = spawn(shell(c.script));
        ASSERT_TRUE(child.has_value()) << child.error().message();
        const auto status = child->wait();
        ASSERT_TRUE(status.has_value());
        EXPECT_EQ(status->code(), c.code) << c.script;
        EXPECT_EQ(status->signal(), c.signal) << c.script;
        EXPECT_EQ(status->success(), c.code == 0) << c.script;
    }
}

TEST(Spawn, PipesAndNullDevice) {
    Command command = shell("cat; printf 'raw:%s' \"$0\"; echo lost >&2");
    command.args.push_back("\xff\xfe arg");
    command.input = Stdio::Pipe;
    command.output = Stdio::Pipe;
    command.error = Stdio::Null;
    auto child = spawn(command);
    ASSERT_TRUE(child.has_value()) << child.error().message();
    EXPECT_FALSE(child->error());

    ASSERT_EQ(::write(child->input().get(), "in|", 3), 3);
    child->input().reset();

    EXPECT_EQ(read_all(child->output()), "in|raw:\xff\xfe arg");
    EXPECT_TRUE(child->wait()->success());
}

TEST(Spawn, NullInputReadsAsEmpty) {
    Command command = shell("cat");
    command.input = Stdio::Null;
    command.output = Stdio::Pipe;
    auto child = spawn(command);
    ASSERT_TRUE(child.has_value());
    EXPECT_EQ(read_all(child->output()), "");
    EXPECT_TRUE(child->wait()->success());
}

TEST(Spawn, LooksUpNamesWithoutSlashOnPath) {
    auto found = spawn(Command{.program = "sh", .args = {"sh", "-c", "exit 4"}});
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->wait()->code(), 4);

    for (const char* program : {"pellamy-no-such-program", "/nonexistent/pellamy"}) {
        const auto missing = spawn(Command{.program = program, .args = {program}});
        ASSERT_FALSE(missing.has_value());
        EXPECT_EQ(missing.error(), std::errc::no_such_file_or_directory);
    }
}

TEST(Spawn, ChildGetsOnlyStandardDescriptors) {
    // A descriptor opened carelessly elsewhere in the process must not leak either.
    const UniqueFd careless{::open("/dev/null", O_RDONLY)};
    ASSERT_TRUE(careless);

    Command command{.program = "/bin/sleep", .args = {"sleep", "30"}};
    command.output = Stdio::Pipe;
    auto child = spawn(command);
    ASSERT_TRUE(child.has_value());
    EXPECT_EQ(::fcntl(child->output().get(), F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);

    // The dynamic loader opens files briefly while sleep starts.
    const std::set<std::string> standard{"0", "1", "2"};
    std::set<std::string> seen = open_descriptors(child->pid());
    for (int tries = 0; seen != standard && tries < 100; ++tries) {
        std::this_thread::sleep_for(50ms);
        seen = open_descriptors(child->pid());
    }
    EXPECT_EQ(seen, standard);
}

TEST(Spawn, ChildStartsWithDefaultSignalHandling) {
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigset_t previous;
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &term, &previous), 0);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous_int {};
    ASSERT_EQ(::sigaction(SIGINT, &ignore, &previous_int), 0);

    auto child = spawn(Command{.program = "/bin/sleep", .args = {"sleep", "5"}});

    ::sigaction(SIGINT, &previous_int, nullptr);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ASSERT_TRUE(child.has_value());

    ASSERT_EQ(::kill(child->pid(), SIGTERM), 0);
    EXPECT_EQ(child->wait()->signal(), SIGTERM);

    auto second = spawn(Command{.program = "/bin/sleep", .args = {"sleep", "5"}});
    ASSERT_TRUE(second.has_value());
    ASSERT_EQ(::kill(second->pid(), SIGINT), 0);
    EXPECT_EQ(second->wait()->signal(), SIGINT);
}

TEST(Child, TryWaitDoesNotBlock) {
    auto child = spawn(Command{.program = "/bin/sleep", .args = {"sleep", "30"}});
    ASSERT_TRUE(child.has_value());
    const auto running = child->try_wait();
    ASSERT_TRUE(running.has_value());
    EXPECT_FALSE(running->has_value());

    ::kill(child->pid(), SIGKILL);
    child->pause(30s);  // returns as soon as the child has ended
    const auto ended = child->try_wait();
    ASSERT_TRUE(ended.has_value());
    ASSERT_TRUE(ended->has_value());
    EXPECT_EQ((*ended)->signal(), SIGKILL);
}

TEST(Child, DestructionKillsAndReaps) {
    pid_t pid = -1;
    {
        auto child = spawn(Command{.program = "/bin/sleep", .args = {"sleep", "30"}});
        ASSERT_TRUE(child.has_value());
        pid = child->pid();
        Child moved = std::move(*child);
    }
    EXPECT_TRUE(is_reaped(pid));
}

TEST(Child, ReleaseLeavesTheChildRunning) {
    pid_t pid = -1;
    {
        auto child = spawn(Command{.program = "/bin/sleep", .args = {"sleep", "30"}});
        ASSERT_TRUE(child.has_value());
        pid = child->release();
    }
    EXPECT_EQ(::kill(pid, 0), 0);
    ::kill(pid, SIGKILL);
    int raw = 0;
    ASSERT_EQ(::waitpid(pid, &raw, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(raw));
}

}  // namespace
}  // namespace pellamy::desktop
