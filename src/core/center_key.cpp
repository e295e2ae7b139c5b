#include "core/center_key.hpp"

#include <algorithm>

#include "core/base64_url.hpp"

namespace pellamy::core {

std::expected<CenterKey, Error> decode_center_key(std::string_view text) {
    if (text.size() > center_key_text_limit) {
        return std::unexpected{Error::limit()};
    }
    const auto bytes = decode_base64_url(text);
    if (!bytes) {
        return std::unexpected{bytes.error()};
    }
    CenterKey key{};
    if (bytes->size() != key.size()) {
        return std::unexpected{Error::invalid("invalid key length")};
    }
    std::ranges::copy(*bytes, key.begin());
    return key;
}

}  // namespace pellamy::core
