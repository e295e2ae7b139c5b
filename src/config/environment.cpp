#include "config/environment.hpp"

#include <cstdlib>

namespace pellamy::config {

std::optional<std::string> environment_variable(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): nobody sets any
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string{value};
}

}  // namespace pellamy::config
