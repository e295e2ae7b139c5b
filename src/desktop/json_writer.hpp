#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellamy::desktop {

// Compact JSON pieces appended to a growing buffer: the writers of the status
// record and of the snapshot share them.

// A JSON string: quotation mark, backslash and control characters escaped,
// everything else copied as the UTF-8 it already is.
void append_json_string(std::string& out, std::string_view text);

void append_json_uint(std::string& out, std::uint64_t value);

inline void append_json_bool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

}  // namespace pellamy::desktop
