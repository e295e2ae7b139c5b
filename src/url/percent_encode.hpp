#pragma once

#include <string>
#include <string_view>

#include "url/ascii.hpp"

namespace pellamy::url {

// The bytes each component percent-encodes. Controls and every byte above
// 0x7E belong to all sets, so UTF-8 sequences are encoded byte by byte.
inline constexpr ByteSet c0_control_set = ByteSet{}.with_range(0x00, 0x1F).with_range(0x7F, 0xFF);
inline constexpr ByteSet fragment_set = c0_control_set.with(" \"<>`");
inline constexpr ByteSet query_set = c0_control_set.with(" \"#<>");
inline constexpr ByteSet special_query_set = query_set.with("'");
inline constexpr ByteSet path_set = query_set.with("?^`{}");
inline constexpr ByteSet userinfo_set = path_set.with("/:;=@[\\]|");

void append_percent_encoded(std::string& out, std::string_view input, const ByteSet& set);

// "%41" becomes "A"; a '%' without two hexadecimal digits stays as it is.
std::string percent_decode(std::string_view input);

}  // namespace pellamy::url
