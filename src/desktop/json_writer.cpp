#include "desktop/json_writer.hpp"

#include <array>
#include <charconv>

namespace pellamy::desktop {

void append_json_string(std::string& out, std::string_view text) {
    static constexpr std::string_view hex = "0123456789abcdef";
    out += '"';
    std::size_t plain_from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\') {
            continue;
        }
        out.append(text, plain_from, i - plain_from);
        plain_from = i + 1;
        switch (byte) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
        }
    }
    out.append(text, plain_from);
    out += '"';
}

void append_json_uint(std::string& out, std::uint64_t value) {
    std::array<char, 20> digits{};
    const auto end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    out.append(digits.data(), end);
}

}  // namespace pellamy::desktop
