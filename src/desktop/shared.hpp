#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/status.hpp"

namespace pellamy::desktop {

// The tray's own version.
inline constexpr std::string_view tray_version = "0.1.3";

// The operating system this tray was built for.
#if defined(__APPLE__)
inline constexpr std::string_view platform_name = "macos";
#else
inline constexpr std::string_view platform_name = "linux";
#endif

// Whole seconds since the Unix epoch, fractions dropped; 0 before the epoch.
std::uint64_t unix_seconds(std::chrono::system_clock::time_point time);

// The monitored state. `service` is present exactly when `connected` is true.
struct StatusSnapshot {
    bool connected = false;
    std::uint64_t checked_at = 0;
    std::string_view app_version = tray_version;
    std::string_view platform = platform_name;
    std::optional<DesktopStatus> service;

    // The outcome of one probe: connected exactly when it gave a record.
    static StatusSnapshot probed(std::optional<DesktopStatus> service, std::uint64_t checked_at);

    bool operator==(const StatusSnapshot&) const = default;
};

// Appends the snapshot as compact JSON: connected, checked_at, app_version,
// platform, service (null when not connected).
void write_json(const StatusSnapshot& snapshot, std::string& out);

// The state shared by the monitor, the tray and the dashboard: the latest
// snapshot and the stop request. No method holds both locks at once.
class Shared {
    struct Key {
        explicit Key() = default;
    };

public:
    // Not connected, checked at the current wall-clock time.
    static std::shared_ptr<Shared> create();

    explicit Shared(Key, StatusSnapshot initial) : current_(std::move(initial)) {}
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    // A deep copy, taken under the lock.
    StatusSnapshot snapshot() const;

    // Swaps the whole snapshot in; readers see the old one or the new one.
    void replace(StatusSnapshot next);

    // Sets the stop request and wakes every waiter.
    void request_stop();

    bool stop_requested() const;

    // Waits on the monotonic clock until a stop is requested or `limit` has
    // passed; true when a stop was requested.
    bool wait_for_stop(std::chrono::steady_clock::duration limit) const;

private:
    mutable std::mutex current_mutex_;
    StatusSnapshot current_;

    mutable std::mutex stop_mutex_;
    mutable std::condition_variable stop_signal_;
    bool stop_requested_ = false;
};

}  // namespace pellamy::desktop
