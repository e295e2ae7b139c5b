#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pellamy::i18n {

// The value of one option (name with its hyphens, such as "--home") read from the
// raw arguments, the program path included, before and apart from the parser:
// "NAME VALUE" takes the next argument whatever it is, "NAME=VALUE" the rest of
// a valid UTF-8 argument; a later match replaces an earlier one, "--" ends the
// scan and a trailing NAME leaves no value. The value's bytes are kept as given.
std::optional<std::string> scan_option(std::span<const std::string_view> arguments,
                                       std::string_view name);

}  // namespace pellamy::i18n
