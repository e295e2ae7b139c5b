#pragma once

#include <string>
#include <string_view>

namespace pellamy::url {

// The text the parser works on: leading and trailing controls and spaces cut,
// tabs and newlines removed, and invalid UTF-8 replaced by U+FFFD as a decoder
// would. Returns a view of input itself when nothing had to change, else of
// storage.
std::string_view prepare_input(std::string_view input, std::string& storage);

}  // namespace pellamy::url
