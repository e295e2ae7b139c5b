#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "desktop/unique_fd.hpp"

namespace pellamy::desktop {

// Where a child's standard stream goes.
enum class Stdio : std::uint8_t { Inherit, Null, Pipe };

// A program to start: no shell, arguments passed as raw bytes.
struct Command {
    std::string program;            // a path, or a name looked up on PATH when it has no slash
    std::vector<std::string> args;  // argument zero first
    Stdio input = Stdio::Inherit;
    Stdio output = Stdio::Inherit;
    Stdio error = Stdio::Inherit;
};

// How a child ended, as waitpid reported it.
class ExitStatus {
public:
    explicit ExitStatus(int raw) : raw_(raw) {}

    bool success() const { return code() == 0; }
    std::optional<int> code() const;    // the exit code of a normal exit
    std::optional<int> signal() const;  // the signal that ended it

private:
    int raw_;
};

// A started child. Destroying it while the child is unreaped kills it with
// SIGKILL and reaps it, so no child outlives its owner and no zombie remains.
class Child {
public:
    Child(Child&& other) noexcept;
    Child& operator=(Child&& other) noexcept;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    pid_t pid() const { return pid_; }

    // The parent's ends of the streams started as Stdio::Pipe; empty otherwise.
    UniqueFd& input() { return input_; }
    UniqueFd& output() { return output_; }
    UniqueFd& error() { return error_; }

    // The status once the child has ended, without blocking.
    std::expected<std::optional<ExitStatus>, std::error_code> try_wait();

    // Blocks until the child has ended.
    std::expected<ExitStatus, std::error_code> wait();

    // Sleeps for `limit`, or less when the child ends first.
    void pause(std::chrono::milliseconds limit) const;

    // Gives up ownership: the child is neither killed nor reaped here, and the
    // caller must reap the returned pid.
    pid_t release();

private:
    friend std::expected<Child, std::error_code> spawn(const Command& command);
    Child() = default;
    void kill_and_reap() noexcept;

    pid_t pid_ = -1;
    std::optional<ExitStatus> status_;
    UniqueFd exit_event_;  // readable once the child has ended; empty if unsupported
    UniqueFd input_;
    UniqueFd output_;
    UniqueFd error_;
};

// Starts the command with the tray's environment and working directory. The
// child gets only descriptors 0, 1 and 2, an empty signal mask and default
// signal dispositions, whatever the spawning thread has blocked or ignored.
std::expected<Child, std::error_code> spawn(const Command& command);

}  // namespace pellamy::desktop
