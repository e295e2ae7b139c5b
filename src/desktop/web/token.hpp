#pragma once

#include <expected>
#include <string>
#include <string_view>
#include <system_error>

namespace pellamy::desktop::web {

// 32 bytes of the system's secure randomness as 64 lowercase hexadecimal digits.
std::expected<std::string, std::error_code> make_access_token();

// Byte equality whose time depends only on the lengths, never on where the
// values differ, so a guessed token learns nothing from the answer's timing.
bool equal_in_constant_time(std::string_view given, std::string_view expected);

}  // namespace pellamy::desktop::web
