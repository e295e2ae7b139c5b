#pragma once

#include <optional>
#include <string_view>

namespace pellamy::url {

constexpr bool is_ascii_digit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool is_ascii_alpha(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
constexpr char to_ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}

constexpr std::optional<unsigned> hex_value(char c) {
    if (is_ascii_digit(c)) {
        return static_cast<unsigned>(c - '0');
    }
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
        return static_cast<unsigned>((c | 0x20) - 'a' + 10);
    }
    return std::nullopt;
}

// Characters no host may contain.
constexpr bool is_forbidden_host_code_point(char c) {
    return std::string_view{"\t\n\r #/:<>?@[\\]^|"}.find(c) != std::string_view::npos || c == '\0';
}

// Characters no domain may contain, beyond those of every host.
constexpr bool is_forbidden_domain_code_point(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return is_forbidden_host_code_point(c) || byte < 0x20 || c == '%' || byte == 0x7F;
}

}  // namespace pellamy::url
