#include "desktop/web/token.hpp"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>

namespace pellamy::desktop::web {

std::expected<std::string, std::error_code> make_access_token() {
    std::array<unsigned char, 32> bytes{};
    if (::getentropy(bytes.data(), bytes.size()) != 0) {
        return std::unexpected{std::error_code{errno, std::system_category()}};
    }
    constexpr std::string_view digits = "0123456789abcdef";
    std::string token;
    token.reserve(2 * bytes.size());
    for (const unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 0xf];
    }
    return token;
}

bool equal_in_constant_time(std::string_view given, std::string_view expected) {
    if (given.size() != expected.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        difference |= static_cast<unsigned char>(given[i] ^ expected[i]);
    }
    return difference == 0;
}

}  // namespace pellamy::desktop::web
