#include "url/percent_encode.hpp"

#include <algorithm>

#include "url/ascii.hpp"

namespace pellamy::url {
void append_percent_encoded(std::string& out, std::string_view input, const EncodeSet& set) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    auto plain_end = input.begin();
    while (true) {
        const auto run_begin = plain_end;
        plain_end = std::find_if(run_begin, input.end(), [&](char c) { return set.contains(c); });
        out.append(run_begin, plain_end);
        if (plain_end == input.end()) {
            return;
        }
        const auto byte = static_cast<unsigned char>(*plain_end++);
        out += '%';
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
    }
}

std::string percent_decode(std::string_view input) {
    std::string out;
    out.reserve(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        const bool escape = input[i] == '%' && i + 2 < input.size();
        const auto high = escape ? hex_value(input[i + 1]) : std::nullopt;
        const auto low = high ? hex_value(input[i + 2]) : std::nullopt;
        if (low) {
            out += static_cast<char>(*high * 16 + *low);
            i += 2;
        } else {
            out += input[i];
        }
    }
    return out;
}

}  // namespace pellamy::url
