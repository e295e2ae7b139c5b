#include "i18n/utf8.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace pellamy::i18n {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;
};

bool is_continuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// Decodes the sequence at the start of text; none when it is malformed.
std::optional<CodePoint> decode(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80U) {
        return CodePoint{lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0U) == 0xC0U) {
        length = 2;
        value = lead & 0x1FU;
        minimum = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3;
        value = lead & 0x0FU;
        minimum = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4;
        value = lead & 0x07U;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!is_continuation(byte)) {
            return std::nullopt;
        }
        value = (value << 6U) | (byte & 0x3FU);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return CodePoint{value, length};
}

bool is_white_space(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

}  // namespace

bool is_valid_utf8(std::string_view text) {
    while (!text.empty()) {
        const auto point = decode(text);
        if (!point) {
            return false;
        }
        text.remove_prefix(point->length);
    }
    return true;
}

std::string_view trim_white_space(std::string_view text) {
    // Walk forwards once: the kept part runs from the first to past the last
    // code point that is not white space.
    std::size_t begin = text.size();
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto point = decode(text.substr(at));
        if (!point) {
            break;
        }
        if (!is_white_space(point->value)) {
            begin = std::min(begin, at);
            end = at + point->length;
        }
        at += point->length;
    }
    return begin < end ? text.substr(begin, end - begin) : std::string_view{};
}

}  // namespace pellamy::i18n
