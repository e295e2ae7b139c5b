#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boost::json {
class value;
}  // namespace boost::json

namespace pellamy::desktop {

// The cloud storage services the vault synchronises with.
enum class Provider : std::uint8_t { OneDrive, GoogleDrive };

// "onedrive" or "google_drive".
std::string_view provider_text(Provider provider);

struct DesktopDetails {
    std::uint64_t vaults = 0;
    std::uint64_t proxies = 0;
    std::uint64_t remote_sessions = 0;
    std::vector<Provider> providers;  // order and repetitions as read
    std::vector<Provider> syncing;
    std::uint64_t outbox_pending = 0;
    std::uint64_t inbox_pending = 0;
    std::uint64_t applied = 0;
    std::uint64_t rejected = 0;
    std::uint64_t dirty_vaults = 0;

    bool operator==(const DesktopDetails&) const = default;
};

// The status record the command-line tool prints for the tray.
struct DesktopStatus {
    std::string version;  // the tool's own text, never interpreted
    bool initialized = false;
    bool unlocked = false;
    std::optional<DesktopDetails> details;

    bool operator==(const DesktopStatus&) const = default;
};

// Reads a record from its object or four-element array form. Any broken rule
// rejects the whole record; the error describes the first one found.
std::expected<DesktopStatus, std::string> read_status(const boost::json::value& value);

// Appends the record as compact JSON, members in field order, `details` always
// present (null without details).
void write_json(const DesktopStatus& status, std::string& out);

// What the user is shown: the first matching rule of offline, setup required,
// locked, unlocked. Detail values are shown only when unlocked.
enum class StatusState : std::uint8_t { Offline, SetupRequired, Locked, Unlocked };

StatusState status_state(bool connected, const std::optional<DesktopStatus>& service);

// The state's English text, the key of its translation.
std::string_view state_text(StatusState state);

}  // namespace pellamy::desktop
