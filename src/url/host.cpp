#include "url/host.hpp"

#include <algorithm>

#include "url/ascii.hpp"
#include "url/domain.hpp"
#include "url/ipv4.hpp"
#include "url/ipv6.hpp"
#include "url/percent_encode.hpp"

namespace pellamy::url {
namespace {

std::expected<void, ParseError> append_bracketed_ipv6(std::string& out, std::string_view input) {
    if (!input.ends_with(']')) {
        return std::unexpected(ParseError{"invalid IPv6 address"});
    }
    const auto address = parse_ipv6(input.substr(1, input.size() - 2));
    if (!address) {
        return std::unexpected(address.error());
    }
    out += '[';
    append_ipv6(out, *address);
    out += ']';
    return {};
}

std::expected<void, ParseError> append_opaque_host(std::string& out, std::string_view input) {
    if (std::ranges::any_of(input, is_forbidden_host_code_point)) {
        return std::unexpected(ParseError{"forbidden host code point"});
    }
    append_percent_encoded(out, input, c0_control_set);
    return {};
}

std::expected<void, ParseError> append_domain_or_ipv4(std::string& out, std::string_view input) {
    std::string decoded;
    if (input.find('%') != std::string_view::npos) {
        decoded = percent_decode(input);
        input = decoded;
    }
    const auto start = out.size();
    if (auto ascii = append_domain_to_ascii(out, input, false); !ascii) {
        return ascii;
    }
    const std::string_view domain = std::string_view{out}.substr(start);
    if (!ends_in_a_number(domain)) {
        return {};
    }
    const auto address = parse_ipv4(domain);
    out.resize(start);
    if (!address) {
        return std::unexpected(address.error());
    }
    append_ipv4(out, *address);
    return {};
}

}  // namespace

std::expected<void, ParseError> append_host(std::string& out, std::string_view input,
                                            bool is_special) {
    if (input.starts_with('[')) {
        return append_bracketed_ipv6(out, input);
    }
    return is_special ? append_domain_or_ipv4(out, input) : append_opaque_host(out, input);
}

}  // namespace pellamy::url
