#pragma once

#include <array>
#include <string>
#include <string_view>

namespace pellamy::url {

// The bytes a component must percent-encode. Controls and every byte above
// 0x7E belong to all sets, so UTF-8 sequences are encoded byte by byte.
class EncodeSet {
public:
    consteval EncodeSet(std::string_view extra) : EncodeSet(EncodeSet{}, extra) {}
    consteval EncodeSet(const EncodeSet& base, std::string_view extra) : bytes_(base.bytes_) {
        for (const char c : extra) {
            bytes_[static_cast<unsigned char>(c)] = true;
        }
    }

    bool contains(char c) const { return bytes_[static_cast<unsigned char>(c)]; }

private:
    consteval EncodeSet() {
        for (std::size_t byte = 0; byte < bytes_.size(); ++byte) {
            bytes_[byte] = byte < 0x20 || byte > 0x7E;
        }
    }

    std::array<bool, 256> bytes_{};
};

inline constexpr EncodeSet c0_control_set{""};
inline constexpr EncodeSet fragment_set{" \"<>`"};
inline constexpr EncodeSet query_set{" \"#<>"};
inline constexpr EncodeSet special_query_set{query_set, "'"};
inline constexpr EncodeSet path_set{query_set, "?^`{}"};
inline constexpr EncodeSet userinfo_set{path_set, "/:;=@[\\]|"};

void append_percent_encoded(std::string& out, std::string_view input, const EncodeSet& set);

// "%41" becomes "A"; a '%' without two hexadecimal digits stays as it is.
std::string percent_decode(std::string_view input);

}  // namespace pellamy::url
