#include "config/port_number.hpp"

#include <charconv>

namespace pellamy::config {

std::optional<std::uint16_t> parse_port(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::uint16_t port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return port;
}

}  // namespace pellamy::config
