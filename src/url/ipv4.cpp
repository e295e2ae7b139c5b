#include "url/ipv4.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>

#include "url/ascii.hpp"

namespace pellamy::url {
namespace {

// Anything above 2^32 is out of range for every part, so values saturate there.
constexpr std::uint64_t saturated = std::uint64_t{1} << 32;

std::optional<std::uint64_t> parse_number(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned radix = 10;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        radix = 16;
        text.remove_prefix(2);
    } else if (text.size() >= 2 && text[0] == '0') {
        radix = 8;
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        const unsigned digit = hex_value(c).value_or(radix);
        if (digit >= radix) {
            return std::nullopt;
        }
        value = std::min(value * radix + digit, saturated);
    }
    return value;
}

// The last label, ignoring one trailing dot.
std::string_view last_label(std::string_view domain) {
    if (domain.ends_with('.') && domain.size() > 1) {
        domain.remove_suffix(1);
    }
    const auto dot = domain.rfind('.');
    return dot == std::string_view::npos ? domain : domain.substr(dot + 1);
}

}  // namespace

bool ends_in_a_number(std::string_view domain) {
    const auto last = last_label(domain);
    if (!last.empty() && std::ranges::all_of(last, is_ascii_digit)) {
        return true;
    }
    return parse_number(last).has_value();
}

std::expected<std::uint32_t, ParseError> parse_ipv4(std::string_view text) {
    const ParseError invalid{"invalid IPv4 address"};
    if (text.ends_with('.') && text.size() > 1) {
        text.remove_suffix(1);
    }
    std::array<std::uint64_t, 4> numbers{};
    std::size_t count = 0;
    for (std::size_t begin = 0; begin <= text.size(); ++count) {
        const auto dot = std::min(text.find('.', begin), text.size());
        const auto number = parse_number(text.substr(begin, dot - begin));
        if (count == numbers.size() || !number) {
            return std::unexpected(invalid);
        }
        numbers[count] = *number;
        begin = dot + 1;
    }
    const auto last = numbers[count - 1];
    if (std::any_of(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(count) - 1,
                    [](std::uint64_t n) { return n > 255; }) ||
        last >= (std::uint64_t{1} << (8 * (5 - count)))) {
        return std::unexpected(invalid);
    }
    std::uint64_t address = last;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        address += numbers[i] << (8 * (3 - i));
    }
    return static_cast<std::uint32_t>(address);
}

void append_ipv4(std::string& out, std::uint32_t address) {
    fmt::format_to(std::back_inserter(out), "{}.{}.{}.{}", address >> 24, (address >> 16) & 0xFF,
                   (address >> 8) & 0xFF, address & 0xFF);
}

}  // namespace pellamy::url
