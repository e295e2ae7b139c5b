#pragma once

#include <string>
#include <system_error>

namespace pellamy::desktop::native {

// A failure of the toolkit layer: the message shown to the user and, when the
// operating system refused something, its error behind it.
class Error {
public:
    explicit Error(std::string message, std::error_code cause = {})
        : message_(std::move(message)), cause_(cause) {}

    // The message with the calling thread's errno as its cause.
    static Error from_errno(std::string message);

    const std::string& message() const { return message_; }
    std::error_code cause() const { return cause_; }

private:
    std::string message_;
    std::error_code cause_;
};

}  // namespace pellamy::desktop::native
