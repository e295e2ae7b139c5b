#pragma once

#include <optional>
#include <string>

namespace pellamy::config {

// A variable's value as raw bytes, whatever its encoding; none when unset.
std::optional<std::string> environment_variable(const char* name);

}  // namespace pellamy::config
