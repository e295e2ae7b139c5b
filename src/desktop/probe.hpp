#pragma once

#include <chrono>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/shared.hpp"
#include "desktop/status.hpp"

namespace pellamy::desktop {

// Longest run of one probe child, from just after it started.
inline constexpr std::chrono::seconds probe_timeout{3};
// Longest pause between two checks of a running child.
inline constexpr std::chrono::milliseconds probe_poll{30};

inline constexpr std::string_view probe_timed_out = "Status probe timed out";
inline constexpr std::string_view daemon_unavailable = "Daemon unavailable";

// The tool's standard output: exactly one JSON value, at most 128 levels deep,
// whose "result" member holds the record.
std::expected<DesktopStatus, std::string> parse_probe_output(std::string_view output);

// Runs `tool` [--config FILE] --home DIR desktop-status once and reads its
// record. Ends early, with the child killed and reaped, at the deadline or
// when `shared` has a stop request; no child outlives the call.
std::expected<DesktopStatus, std::string> probe_status(
    const std::filesystem::path& tool, const std::filesystem::path& home,
    const std::optional<std::filesystem::path>& config_file, const Shared& shared);

}  // namespace pellamy::desktop
