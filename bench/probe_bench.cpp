// One status probe, spawn to reaped, against the bare cost of starting and
// reaping a process.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "desktop/probe.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace pellamy::desktop;

void BM_BareSpawnTrue(benchmark::State& state) {
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    for (auto _ : state) {
        pid_t pid = -1;
        if (::posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("posix_spawn failed");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
}
BENCHMARK(BM_BareSpawnTrue)->UseRealTime();

// /bin/true prints nothing, so the probe runs every step and fails at parsing.
void BM_ProbeTrue(benchmark::State& state) {
    const auto shared = Shared::create();
    for (auto _ : state) {
        auto status = probe_status("/bin/true", "/tmp", std::nullopt, *shared);
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_ProbeTrue)->UseRealTime();

// A shell script that prints a full status document.
void BM_ProbeShellTool(benchmark::State& state) {
    std::string folder = (fs::temp_directory_path() / "pellamy-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    const fs::path tool = fs::path{folder} / "pellamy";
    {
        std::ofstream script{tool};
        script << "#!/bin/sh\necho '{\"result\":{\"version\":\"0.1.3\",\"initialized\":true,"
                  "\"unlocked\":false,\"details\":null}}'\n";
    }
    fs::permissions(tool, fs::perms{0755});
    const auto shared = Shared::create();
    for (auto _ : state) {
        auto status = probe_status(tool, folder, std::nullopt, *shared);
        if (!status) {
            state.SkipWithError(status.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(status);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_ProbeShellTool)->UseRealTime();

}  // namespace
