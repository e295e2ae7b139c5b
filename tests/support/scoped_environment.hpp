#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pellamy::testing {

// Unsets the named variables for the object's lifetime, then puts back what
// they held; set() changes one of them meanwhile.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::vector<std::string> names);
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment();

    void set(const std::string& name, const std::string& value);

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace pellamy::testing
