#include "core/base64_url.hpp"

#include <array>

namespace pellamy::core {
namespace {

constexpr std::int8_t not_in_alphabet = -1;

constexpr std::array<std::int8_t, 256> sextets = [] {
    std::array<std::int8_t, 256> table{};
    table.fill(not_in_alphabet);
    constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    }
    return table;
}();

}  // namespace

std::expected<std::vector<std::uint8_t>, Error> decode_base64_url(std::string_view text) {
    const auto invalid = std::unexpected{Error::invalid("invalid encoding")};
    if (text.size() % 4 == 1) {
        return invalid;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    std::uint32_t pending = 0;  // bits read but not yet emitted, at most 12
    int pending_bits = 0;
    for (const char c : text) {
        const std::int8_t sextet = sextets[static_cast<unsigned char>(c)];
        if (sextet == not_in_alphabet) {
            return invalid;
        }
        pending = ((pending << 6) | static_cast<std::uint32_t>(sextet)) & 0xFFF;
        pending_bits += 6;
        if (pending_bits >= 8) {
            pending_bits -= 8;
            bytes.push_back(static_cast<std::uint8_t>(pending >> pending_bits));
        }
    }
    if ((pending & ((1U << pending_bits) - 1)) != 0) {
        return invalid;
    }
    return bytes;
}

}  // namespace pellamy::core
