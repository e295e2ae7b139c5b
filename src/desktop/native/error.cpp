#include "desktop/native/error.hpp"

#include <cerrno>

namespace pellamy::desktop::native {

Error Error::from_errno(std::string message) {
    return Error{std::move(message), std::error_code{errno, std::system_category()}};
}

}  // namespace pellamy::desktop::native
