#include "core/center_config.hpp"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "core/center_key.hpp"
#include "core/url_facts.hpp"

namespace pellamy::core {
namespace {

constexpr std::size_t max_id_length = 64;

bool is_id_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

std::expected<void, Error> validate_url(std::string_view text) {
    const auto parsed = url::parse(text);
    if (!parsed) {
        return std::unexpected{Error::invalid("invalid center URL")};
    }
    const std::string_view scheme_name = scheme(*parsed);
    if (scheme_name != "http" && scheme_name != "https") {
        return std::unexpected{Error::invalid("center URL must be http(s)://")};
    }
    if (!has_host(*parsed)) {
        return std::unexpected{Error::invalid("center URL requires a host")};
    }
    if (scheme_name == "http" && !has_loopback_host(*parsed)) {
        return std::unexpected{Error::invalid("non-loopback center URL must use https://")};
    }
    return {};
}

}  // namespace

std::expected<void, Error> CenterConfig::validate() const {
    if (id.empty() || id.size() > max_id_length) {
        return std::unexpected{Error::invalid("center id must be 1-64 characters")};
    }
    if (!std::ranges::all_of(id, is_id_byte)) {
        return std::unexpected{Error::invalid("center id must be alphanumeric, '-' or '_'")};
    }
    if (auto checked = validate_url(url); !checked) {
        return checked;
    }
    if (const auto key = decode_center_key(public_key); !key) {
        return std::unexpected{key.error()};
    }
    return {};
}

std::expected<void, Error> validate_all(std::span<const CenterConfig> centers) {
    std::unordered_set<std::string_view> seen;
    for (const CenterConfig& center : centers) {
        if (auto checked = center.validate(); !checked) {
            return checked;
        }
        if (!seen.insert(center.id).second) {
            return std::unexpected{Error::invalid("duplicate center id")};
        }
    }
    return {};
}

}  // namespace pellamy::core
