#include "support/scoped_environment.hpp"

#include <stdlib.h>

#include <algorithm>
#include <stdexcept>

namespace pellamy::testing {

ScopedEnvironment::ScopedEnvironment(std::vector<std::string> names) {
    for (auto& name : names) {
        const char* value = ::getenv(name.c_str());
        saved_.emplace_back(std::move(name),
                            value == nullptr ? std::nullopt : std::optional<std::string>{value});
        ::unsetenv(saved_.back().first.c_str());
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
}

void ScopedEnvironment::set(const std::string& name, const std::string& value) {
    if (std::ranges::find(saved_, name, &decltype(saved_)::value_type::first) == saved_.end()) {
        throw std::logic_error(name + " is not managed by this ScopedEnvironment");
    }
    ::setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace pellamy::testing
