#include "support/standin.hpp"

#include <signal.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "desktop/process.hpp"

namespace pellamy::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> lines_of(const fs::path& file) {
    std::ifstream in{file};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::optional<pid_t> read_pid(const fs::path& file) {
    std::ifstream in{file};
    pid_t pid = 0;
    return in >> pid ? std::optional{pid} : std::nullopt;
}

}  // namespace

StandIn::StandIn() : log_("PELLAMY_STANDIN_LOG", (dir_.path() / "standin.log").string()) {
    fs::copy_file(fs::path{PELLAMY_SOURCE_DIR} / "tools" / "pellamy", tool());
    fs::permissions(tool(), fs::perms{0755});
    fs::create_directory(home());
}

std::vector<std::vector<std::string>> StandIn::invocations() const {
    std::vector<std::vector<std::string>> calls(1);
    for (auto& line : lines_of(dir() / "standin.log")) {
        if (line == "--end--") {
            calls.emplace_back();
        } else {
            calls.back().push_back(std::move(line));
        }
    }
    calls.pop_back();
    return calls;
}

void StandIn::run(std::string_view subcommand) const {
    auto child = desktop::spawn(desktop::Command{
        .program = tool().string(),
        .args = {tool().string(), "--home", home().string(), std::string{subcommand}},
        .input = desktop::Stdio::Null,
        .output = desktop::Stdio::Null,
        .error = desktop::Stdio::Null});
    if (child) {
        static_cast<void>(child->wait());
    }
}

std::optional<pid_t> StandIn::daemon_pid() const {
    const auto pid = read_pid(home() / ".standin" / "daemon.pid");
    return pid && process_alive(*pid) ? pid : std::nullopt;
}

std::optional<pid_t> StandIn::hanging_probe() const {
    return read_pid(home() / ".standin" / "probe.pid");
}

BrowserRecorder::BrowserRecorder(int status)
    : script_(dir_.path() / "browser"), browser_("BROWSER", script_.string()) {
    std::ostringstream text;
    text << "#!/bin/sh\nprintf '%s\\n' \"$1\" >>'" << (dir_.path() / "urls").string() << "'\nexit "
         << status << "\n";
    write_file(script_, text.str(), fs::perms{0755});
}

std::vector<std::string> BrowserRecorder::urls() const {
    return lines_of(dir_.path() / "urls");
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds{20});
    }
    return true;
}

bool process_alive(pid_t pid) {
    std::ifstream stat{"/proc/" + std::to_string(pid) + "/stat"};
    std::string pid_field, name, state;
    // The name is in parentheses and has no spaces for the programs used here.
    return stat >> pid_field >> name >> state && state != "Z";
}

std::size_t thread_count() {
#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer adds a helper thread of its own when the process first
    // creates one; have it here already so that it is counted before and after.
    static const bool helper_started = [] {
        std::thread{[] {}}.join();
        return true;
    }();
    static_cast<void>(helper_started);
#endif
    const auto tasks = fs::directory_iterator{"/proc/self/task"};
    return static_cast<std::size_t>(std::distance(fs::begin(tasks), fs::end(tasks)));
}

}  // namespace pellamy::testing
