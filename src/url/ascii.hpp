#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
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

// Lower-case digits without leading zeros.
inline void append_number(std::string& out, std::uint32_t value, int base = 10) {
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value, base).ptr;
    out.append(std::begin(digits), end);
}

// A set of bytes, built at compile time.
class ByteSet {
public:
    consteval ByteSet with(std::string_view bytes) const {
        ByteSet set = *this;
        for (const char c : bytes) {
            set.bytes_[static_cast<unsigned char>(c)] = true;
        }
        return set;
    }
    consteval ByteSet with_range(unsigned char first, unsigned char last) const {
        ByteSet set = *this;
        for (unsigned byte = first; byte <= last; ++byte) {
            set.bytes_[byte] = true;
        }
        return set;
    }
    constexpr bool contains(char c) const { return bytes_[static_cast<unsigned char>(c)]; }

private:
    std::array<bool, 256> bytes_{};
};

// Characters no host may contain, and those no domain may contain.
inline constexpr ByteSet forbidden_host_code_points =
    ByteSet{}.with(std::string_view{"\0\t\n\r #/:<>?@[\\]^|", 17});
inline constexpr ByteSet forbidden_domain_code_points =
    forbidden_host_code_points.with_range(0x00, 0x1F).with("%\x7F");

}  // namespace pellamy::url
