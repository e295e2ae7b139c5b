#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>

namespace pellamy {

// The tray's own options, handed unchanged to the tray entry.
struct DesktopArgs {
    std::optional<std::uint16_t> port;
    bool no_open = false;
    bool open = false;

    // True for --open, false for --no-open, none when neither was given.
    std::optional<bool> browser_override() const;
};

struct Args {
    std::optional<std::string> lang;
    std::optional<std::filesystem::path> home;
    std::optional<std::filesystem::path> config;
    DesktopArgs desktop;
};

// Help, version and usage errors: the parser has printed what it had to say and
// the process should end with this status.
struct ParseExit {
    int status;
};

std::expected<Args, ParseExit> parse_command_line(int argc, const char* const* argv);

}  // namespace pellamy
