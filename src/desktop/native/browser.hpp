#pragma once

#include <expected>
#include <string>

#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

// Opens the URL in the user's default browser and waits for the launcher: on
// Linux the program named by a non-empty BROWSER (looked up on PATH when it
// has no slash) with the URL as its only argument, else xdg-open; `open` on
// macOS. The launcher's streams go to the null device. Success only when it
// started and exited with status 0.
std::expected<void, Error> open_in_browser(const std::string& url);

}  // namespace pellamy::desktop::native
