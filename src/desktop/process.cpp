#include "desktop/process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <thread>

extern char** environ;

namespace pellamy::desktop {
namespace {

std::error_code last_error() {
    return {errno, std::system_category()};
}

std::expected<void, std::error_code> check(int result) {
    if (result != 0) {
        return std::unexpected(std::error_code{result, std::system_category()});
    }
    return {};
}

// One of posix_spawn's setting objects, initialised and destroyed in pairs.
template <typename T, int (*init)(T*), int (*destroy)(T*)>
class SpawnSettings {
public:
    SpawnSettings() { init(&settings_); }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    ~SpawnSettings() { destroy(&settings_); }
    T* get() { return &settings_; }

private:
    T settings_{};
};

using SpawnActions = SpawnSettings<posix_spawn_file_actions_t, posix_spawn_file_actions_init,
                                   posix_spawn_file_actions_destroy>;
using SpawnAttributes =
    SpawnSettings<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

// The tray blocks its shutdown signals on every thread; a child must not
// inherit that mask or any handler disposition.
std::expected<void, std::error_code> reset_signals(SpawnAttributes& attributes) {
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    if (auto done = check(posix_spawnattr_setsigmask(attributes.get(), &none)); !done) {
        return done;
    }
    if (auto done = check(posix_spawnattr_setsigdefault(attributes.get(), &all)); !done) {
        return done;
    }
    return check(
        posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
}

// Sets up one standard stream; a pipe's parent end goes to `parent_end`, its
// child end to `child_end`, which the parent closes once the child started.
std::expected<void, std::error_code> connect(SpawnActions& actions, int fd, Stdio choice,
                                             UniqueFd& parent_end, UniqueFd& child_end) {
    switch (choice) {
        case Stdio::Inherit:
            return {};
        case Stdio::Null:
            return check(posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null",
                                                          fd == 0 ? O_RDONLY : O_WRONLY, 0));
        case Stdio::Pipe: {
            std::array<int, 2> ends{};
            if (::pipe2(ends.data(), O_CLOEXEC) != 0) {
                return std::unexpected(last_error());
            }
            const bool child_reads = fd == 0;
            parent_end.reset(ends[child_reads ? 1 : 0]);
            child_end.reset(ends[child_reads ? 0 : 1]);
            return check(posix_spawn_file_actions_adddup2(actions.get(), child_end.get(), fd));
        }
    }
    return {};
}

}  // namespace

std::optional<int> ExitStatus::code() const {
    return WIFEXITED(raw_) ? std::optional<int>{WEXITSTATUS(raw_)} : std::nullopt;
}

std::optional<int> ExitStatus::signal() const {
    return WIFSIGNALED(raw_) ? std::optional<int>{WTERMSIG(raw_)} : std::nullopt;
}

Child::Child(Child&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      status_(other.status_),
      exit_event_(std::move(other.exit_event_)),
      input_(std::move(other.input_)),
      output_(std::move(other.output_)),
      error_(std::move(other.error_)) {}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        kill_and_reap();
        pid_ = std::exchange(other.pid_, -1);
        status_ = other.status_;
        exit_event_ = std::move(other.exit_event_);
        input_ = std::move(other.input_);
        output_ = std::move(other.output_);
        error_ = std::move(other.error_);
    }
    return *this;
}

Child::~Child() {
    kill_and_reap();
}

void Child::kill_and_reap() noexcept {
    if (pid_ < 0 || status_) {
        return;
    }
    ::kill(pid_, SIGKILL);
    input_.reset();
    int raw = 0;
    while (::waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
    }
    status_ = ExitStatus{raw};
}

std::expected<std::optional<ExitStatus>, std::error_code> Child::try_wait() {
    if (pid_ < 0) {
        return std::unexpected(std::make_error_code(std::errc::no_child_process));
    }
    if (!status_) {
        int raw = 0;
        const pid_t ended = ::waitpid(pid_, &raw, WNOHANG);
        if (ended < 0) {
            return std::unexpected(last_error());
        }
        if (ended == pid_) {
            status_ = ExitStatus{raw};
        }
    }
    return status_;
}

std::expected<ExitStatus, std::error_code> Child::wait() {
    if (pid_ < 0) {
        return std::unexpected(std::make_error_code(std::errc::no_child_process));
    }
    if (!status_) {
        int raw = 0;
        while (::waitpid(pid_, &raw, 0) < 0) {
            if (errno != EINTR) {
                return std::unexpected(last_error());
            }
        }
        status_ = ExitStatus{raw};
    }
    return *status_;
}

void Child::pause(std::chrono::milliseconds limit) const {
    if (!exit_event_) {
        std::this_thread::sleep_for(limit);
        return;
    }
    // An interrupted poll resumes for the time that is left.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    pollfd event{exit_event_.get(), POLLIN, 0};
    for (auto left = limit; left.count() > 0; left = std::chrono::ceil<std::chrono::milliseconds>(
                                                  deadline - std::chrono::steady_clock::now())) {
        if (::poll(&event, 1, static_cast<int>(left.count())) >= 0 || errno != EINTR) {
            return;
        }
    }
}

pid_t Child::release() {
    return std::exchange(pid_, -1);
}

std::expected<Child, std::error_code> spawn(const Command& command) {
    Child child;
    SpawnActions actions;
    SpawnAttributes attributes;
    std::array<UniqueFd, 3> child_ends;
    const std::array<std::pair<Stdio, UniqueFd*>, 3> streams{{{command.input, &child.input_},
                                                              {command.output, &child.output_},
                                                              {command.error, &child.error_}}};
    for (int fd = 0; fd < 3; ++fd) {
        const auto& [choice, parent_end] = streams[static_cast<std::size_t>(fd)];
        auto connected =
            connect(actions, fd, choice, *parent_end, child_ends[static_cast<std::size_t>(fd)]);
        if (!connected) {
            return std::unexpected(connected.error());
        }
    }
    // Descriptors that some library opened without close-on-exec stay behind too.
    if (auto closed = check(posix_spawn_file_actions_addclosefrom_np(actions.get(), 3)); !closed) {
        return std::unexpected(closed.error());
    }
    if (auto reset = reset_signals(attributes); !reset) {
        return std::unexpected(reset.error());
    }

    std::vector<char*> argv;
    argv.reserve(command.args.size() + 1);
    for (const std::string& arg : command.args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (auto started = check(::posix_spawnp(&pid, command.program.c_str(), actions.get(),
                                            attributes.get(), argv.data(), environ));
        !started) {
        return std::unexpected(started.error());
    }
    child.pid_ = pid;
    // Lets pause() wake as soon as the child ends; plain sleeping serves without it.
    child.exit_event_.reset(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    return child;
}

}  // namespace pellamy::desktop
