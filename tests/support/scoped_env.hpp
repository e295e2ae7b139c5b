#pragma once

#include <optional>
#include <string>

namespace pellamy::testing {

// Sets or unsets one environment variable and puts the old value back when it
// goes out of scope.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv();

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace pellamy::testing
