#pragma once

#include <expected>
#include <span>
#include <string>

#include "core/error.hpp"

namespace pellamy::core {

// One entry of the configuration's centers list, as written.
struct CenterConfig {
    std::string id;
    std::string url;
    std::string public_key;

    std::expected<void, Error> validate() const;

    bool operator==(const CenterConfig&) const = default;
};

// Each center in order, then its id against the earlier ones; the first failure wins.
std::expected<void, Error> validate_all(std::span<const CenterConfig> centers);

}  // namespace pellamy::core
