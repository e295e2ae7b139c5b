// The installed program end to end: the tray as "pellamy-tray" beside the
// stand-in tool "pellamy", a recording BROWSER and a home of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <array>

#include "desktop/dashboard.hpp"
#include "desktop/probe.hpp"
#include "desktop/process.hpp"
#include "support/raw_http.hpp"
#include "support/standin.hpp"
#include "support/taken_port.hpp"

namespace pellamy {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::ScopedEnv;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

std::string read_all(desktop::UniqueFd& fd) {
    std::string text;
    std::array<char, 4096> buffer{};
    for (ssize_t count; (count = ::read(fd.get(), buffer.data(), buffer.size())) > 0;) {
        text.append(buffer.data(), static_cast<std::size_t>(count));
    }
    return text;
}

class TrayProgram : public ::testing::Test {
protected:
    testing::StandIn standin;
    testing::BrowserRecorder browser;
    fs::path user = standin.dir() / "user";
    // Nothing of the machine's own user may leak in; without a session bus the
    // tray stays headless, whatever tray host the machine runs.
    std::array<ScopedEnv, 12> environment{ScopedEnv{"HOME", user.string()},
                                          ScopedEnv{"DBUS_SESSION_BUS_ADDRESS", std::nullopt},
                                          ScopedEnv{"XDG_RUNTIME_DIR", std::nullopt},
                                          ScopedEnv{"XDG_CONFIG_HOME", std::nullopt},
                                          ScopedEnv{"XDG_DATA_HOME", std::nullopt},
                                          ScopedEnv{"PELLAMY_HOME", std::nullopt},
                                          ScopedEnv{"PELLAMY_CONFIG", std::nullopt},
                                          ScopedEnv{"PELLAMY_WEBUI_PORT", std::nullopt},
                                          ScopedEnv{"PELLAMY_OPEN_BROWSER", std::nullopt},
                                          ScopedEnv{"PELLAMY_LANG", std::nullopt},
                                          ScopedEnv{"PELLAMY_STANDIN_HANG", std::nullopt},
                                          ScopedEnv{"LANG", "C"}};

    TrayProgram() {
        fs::create_directory(user);
        fs::create_symlink(PELLAMY_TRAY_EXE, standin.dir() / "pellamy-tray");
    }

    void TearDown() override { standin.run("stop"); }

    desktop::Child start(std::vector<std::string> args) {
        const auto exe = (standin.dir() / "pellamy-tray").string();
        args.insert(args.begin(), exe);
        auto child = desktop::spawn(desktop::Command{.program = exe,
                                                     .args = std::move(args),
                                                     .input = desktop::Stdio::Null,
                                                     .output = desktop::Stdio::Pipe,
                                                     .error = desktop::Stdio::Pipe});
        EXPECT_TRUE(child);
        return std::move(child.value());
    }

    static Finished finish(desktop::Child& tray) {
        Finished finished;
        finished.out = read_all(tray.output());
        finished.err = read_all(tray.error());
        const auto status = tray.wait();
        finished.status = status && status->code() ? *status->code() : -1;
        return finished;
    }

    Finished run(std::vector<std::string> args) {
        auto tray = start(std::move(args));
        return finish(tray);
    }

    // The tray's argument lists for "desktop-status", oldest first.
    std::vector<std::vector<std::string>> probes() const {
        auto runs = standin.invocations();
        std::erase_if(runs, [](const auto& args) { return args.back() != "desktop-status"; });
        return runs;
    }

    std::string home() const { return fs::canonical(standin.home()).string(); }
};

TEST_F(TrayProgram, StartUpErrorsAreOneLineAndStatusOne) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* variable;
        const char* value;
        const char* line;
    };
    const Case cases[] = {
        {"invalid port variable",
         {"--no-open"},
         "PELLAMY_WEBUI_PORT",
         "80 ",
         "Pellamy tray: PELLAMY_WEBUI_PORT must be a port from 0 to 65535\n"},
        {"invalid browser variable",
         {},
         "PELLAMY_OPEN_BROWSER",
         "yes",
         "Pellamy tray: PELLAMY_OPEN_BROWSER must be true, false, 1 or 0\n"},
        {"missing configuration file",
         {"--config", "missing.toml"},
         "PELLAMY_LANG",
         "de",
         "Pellamy tray: Could not read configuration file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedEnv variable{c.variable, c.value};
        const auto finished = run(c.args);
        EXPECT_EQ(finished.status, 1);
        EXPECT_EQ(finished.err, c.line);
        EXPECT_THAT(finished.out, IsEmpty());
    }
    EXPECT_THAT(standin.invocations(), IsEmpty());
    EXPECT_THAT(browser.urls(), IsEmpty());
}

TEST_F(TrayProgram, ToolMissingBesideTheTray) {
    fs::remove(standin.tool());
    const auto finished = run({});
    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "Pellamy tray: Keep the Pellamy CLI beside the tray executable\n");
    EXPECT_THAT(browser.urls(), IsEmpty());
}

TEST_F(TrayProgram, TakenPortEndsStartUpBeforeAnyProbe) {
    const testing::TakenPort taken;

    const auto finished = run({"--port", std::to_string(taken.port())});

    EXPECT_EQ(finished.status, 1);
    EXPECT_EQ(finished.err, "Pellamy tray: Address already in use\n");
    EXPECT_THAT(standin.invocations(), IsEmpty());
    EXPECT_THAT(browser.urls(), IsEmpty());
}

TEST_F(TrayProgram, ProbeArgumentsWithAndWithoutAConfigurationFile) {
    const auto config = standin.dir() / "config.toml";
    testing::write_file(config, "");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> probe;
    };
    const Case cases[] = {
        {"defaults",
         {"--no-open", "--home", standin.home().string()},
         {"--home", home(), "desktop-status"}},
        {"configuration file",
         {"--no-open", "--home", standin.home().string(), "--config", config.string()},
         {"--config", config.string(), "--home", home(), "desktop-status"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(standin.dir() / "standin.log");
        auto tray = start(c.args);
        ASSERT_TRUE(testing::eventually([&] { return !probes().empty(); }));
        ::kill(tray.pid(), SIGTERM);
        const auto finished = finish(tray);
        EXPECT_EQ(finished.status, 0);
        EXPECT_THAT(finished.err, IsEmpty());
        EXPECT_EQ(probes().front(), c.probe);
    }
    EXPECT_THAT(browser.urls(), IsEmpty());
}

TEST_F(TrayProgram, DashboardOpensAtItsPortAndFollowsTheTool) {
    auto tray = start({"--home", standin.home().string()});
    ASSERT_TRUE(testing::eventually([&] { return !browser.urls().empty(); }));
    const auto url = browser.urls().front();
    const auto port = desktop::web::testing::port_of(url);
    EXPECT_NE(port, 0);
    const auto request = "GET /api/status HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                         "\r\nAuthorization: Bearer " + desktop::web::testing::token_of(url) +
                         "\r\nConnection: close\r\n\r\n";
    const auto status = [&] { return desktop::web::testing::round_trip(port, request).body; };
    EXPECT_THAT(status(), HasSubstr("\"connected\":false"));

    auto daemon = desktop::spawn(
        desktop::Command{.program = standin.tool().string(),
                         .args = {standin.tool().string(), "--home", home(), "daemon"},
                         .input = desktop::Stdio::Null,
                         .output = desktop::Stdio::Null,
                         .error = desktop::Stdio::Null});
    ASSERT_TRUE(daemon);
    standin.run("init");
    // One monitor cycle at most: a pause and a probe.
    ASSERT_TRUE(testing::eventually(
        [&] { return status().find("\"connected\":true") != std::string::npos; },
        desktop::probe_interval + desktop::probe_timeout + std::chrono::seconds{2}));
    EXPECT_THAT(status(), HasSubstr("\"initialized\":true,\"unlocked\":false"));

    ::kill(tray.pid(), SIGTERM);
    const auto finished = finish(tray);
    EXPECT_EQ(finished.status, 0);
    EXPECT_THAT(finished.out, IsEmpty());
    EXPECT_THAT(finished.err, IsEmpty());
    EXPECT_EQ(browser.urls().size(), 1U);
}

TEST_F(TrayProgram, TerminationDuringAHangingProbeEndsAtOnce) {
    const ScopedEnv hang{"PELLAMY_STANDIN_HANG", "1"};
    auto tray = start({"--no-open", "--home", standin.home().string()});
    ASSERT_TRUE(testing::eventually([&] { return standin.hanging_probe().has_value(); }));
    const pid_t probe = *standin.hanging_probe();

    const auto terminating = std::chrono::steady_clock::now();
    ::kill(tray.pid(), SIGTERM);
    const auto finished = finish(tray);
    // Less than the probe's own deadline: the stop request ended it.
    EXPECT_LT(std::chrono::steady_clock::now() - terminating, desktop::probe_timeout);
    EXPECT_EQ(finished.status, 0);
    EXPECT_THAT(finished.err, IsEmpty());
    EXPECT_FALSE(testing::process_alive(probe));
}

}  // namespace
}  // namespace pellamy
