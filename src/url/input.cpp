#include "url/input.hpp"

#include <algorithm>
#include <utility>

namespace pellamy::url {
namespace {

bool is_c0_or_space(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
bool is_tab_or_newline(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

// The length of the UTF-8 sequence at the start of text, and whether it is
// valid; an invalid one is its longest valid-looking prefix (at least one byte),
// which a decoder replaces by one U+FFFD.
std::pair<std::size_t, bool> next_sequence(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {1, true};
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {1, false};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (byte < low || byte > high) {
            return {i, false};
        }
        low = 0x80;
        high = 0xBF;
    }
    return {length, true};
}

bool needs_rewrite(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto [length, valid] = next_sequence(text.substr(i));
        if (!valid || is_tab_or_newline(text[i])) {
            return true;
        }
        i += length;
    }
    return false;
}

}  // namespace

std::string_view prepare_input(std::string_view input, std::string& storage) {
    const auto first = std::ranges::find_if_not(input, is_c0_or_space);
    const auto last =
        std::find_if_not(input.rbegin(), std::make_reverse_iterator(first), is_c0_or_space);
    const std::string_view text(first, last.base());
    if (!needs_rewrite(text)) {
        return text;
    }
    storage.clear();
    storage.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [length, valid] = next_sequence(text.substr(i));
        if (!valid) {
            storage += "\xEF\xBF\xBD";
        } else if (!is_tab_or_newline(text[i])) {
            storage.append(text.substr(i, length));
        }
        i += length;
    }
    return storage;
}

}  // namespace pellamy::url
