#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/scoped_env.hpp"
#include "support/temp_dir.hpp"

namespace pellamy::testing {

// The stand-in command-line tool, copied into a fresh directory as "pellamy",
// with a home of its own; every invocation is logged.
class StandIn {
public:
    StandIn();

    const std::filesystem::path& dir() const { return dir_.path(); }
    std::filesystem::path tool() const { return dir() / "pellamy"; }
    std::filesystem::path home() const { return dir() / "home"; }

    // Each invocation's arguments after the program name, oldest first.
    std::vector<std::vector<std::string>> invocations() const;

    // Runs `pellamy --home HOME SUBCOMMAND` (init, unlock, lock, stop) to its end.
    void run(std::string_view subcommand) const;

    // The process of the stand-in's daemon while it runs.
    std::optional<pid_t> daemon_pid() const;

    // The process of a probe hanging under PELLAMY_STANDIN_HANG, once one started.
    std::optional<pid_t> hanging_probe() const;

private:
    TempDir dir_;
    ScopedEnv log_;
};

// A BROWSER that records the URL it is given, one per line, and exits with `status`.
class BrowserRecorder {
public:
    explicit BrowserRecorder(int status = 0);

    const std::filesystem::path& script() const { return script_; }
    std::vector<std::string> urls() const;

private:
    TempDir dir_;
    std::filesystem::path script_;
    ScopedEnv browser_;
};

// Checks `condition` every 20 ms until it holds or `limit` has passed.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds{15});

// Whether a process with this id exists (and is not a zombie).
bool process_alive(pid_t pid);

// The number of threads of the calling process.
std::size_t thread_count();

}  // namespace pellamy::testing
