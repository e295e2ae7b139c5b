#pragma once

#include <optional>
#include <string>

#include "core/error.hpp"

namespace pellamy::config {

// A configuration failure: the one line the user sees, and the service error
// behind it when there is one.
struct Error {
    explicit Error(std::string text, std::optional<core::Error> service_error = std::nullopt)
        : message(std::move(text)), cause(std::move(service_error)) {}

    // The service error's own display text, with the error kept as the cause.
    static Error from(core::Error error) {
        std::string text = error.display();
        return Error{std::move(text), std::move(error)};
    }

    std::string message;
    std::optional<core::Error> cause;
};

}  // namespace pellamy::config
