#pragma once

#include <string>
#include <vector>

namespace pellamy::testing {

struct ProcessResult {
    int exit_status = -1;  // the exit code, or -1 when a signal ended the child
    int signal = 0;
    std::string out;
    std::string err;
};

// Runs argv[0] (no PATH lookup) with exactly the environment given, standard
// input on the null device, and collects both output streams.
ProcessResult run_process(const std::vector<std::string>& argv,
                          const std::vector<std::string>& environment = {});

}  // namespace pellamy::testing
