#include "support/run_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace pellamy::testing {
namespace {

std::vector<char*> c_strings(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (const auto& text : strings) {
        pointers.push_back(const_cast<char*>(text.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

void drain(std::array<int, 2> fds, std::string& out, std::string& err) {
    std::array<pollfd, 2> polls{pollfd{fds[0], POLLIN, 0}, pollfd{fds[1], POLLIN, 0}};
    int open_count = 2;
    while (open_count > 0) {
        if (::poll(polls.data(), polls.size(), -1) < 0 && errno != EINTR) {
            throw std::runtime_error("poll failed");
        }
        for (std::size_t i = 0; i < polls.size(); ++i) {
            if (polls[i].fd < 0 || polls[i].revents == 0) {
                continue;
            }
            std::array<char, 4096> buffer{};
            const ssize_t count = ::read(polls[i].fd, buffer.data(), buffer.size());
            if (count > 0) {
                (i == 0 ? out : err).append(buffer.data(), static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                ::close(polls[i].fd);
                polls[i].fd = -1;
                --open_count;
            }
        }
    }
}

}  // namespace

ProcessResult run_process(const std::vector<std::string>& argv,
                          const std::vector<std::string>& environment) {
    int out_pipe[2];
    int err_pipe[2];
    if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out_pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);

    auto args = c_strings(argv);
    auto env = c_strings(environment);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    if (spawned != 0) {
        ::close(out_pipe[0]);
        ::close(err_pipe[0]);
        throw std::runtime_error("posix_spawn failed");
    }

    ProcessResult result;
    drain({out_pipe[0], err_pipe[0]}, result.out, result.err);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

}  // namespace pellamy::testing
