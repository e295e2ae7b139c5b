#include "desktop/shared.hpp"

#include "desktop/json_writer.hpp"

namespace pellamy::desktop {

std::uint64_t unix_seconds(std::chrono::system_clock::time_point time) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time.time_since_epoch()).count();
    return seconds < 0 ? 0 : static_cast<std::uint64_t>(seconds);
}

StatusSnapshot StatusSnapshot::probed(std::optional<DesktopStatus> service,
                                      std::uint64_t checked_at) {
    StatusSnapshot snapshot;
    snapshot.connected = service.has_value();
    snapshot.checked_at = checked_at;
    snapshot.service = std::move(service);
    return snapshot;
}

void write_json(const StatusSnapshot& snapshot, std::string& out) {
    out += "{\"connected\":";
    append_json_bool(out, snapshot.connected);
    out += ",\"checked_at\":";
    append_json_uint(out, snapshot.checked_at);
    out += ",\"app_version\":";
    append_json_string(out, snapshot.app_version);
    out += ",\"platform\":";
    append_json_string(out, snapshot.platform);
    out += ",\"service\":";
    if (snapshot.service) {
        write_json(*snapshot.service, out);
    } else {
        out += "null";
    }
    out += '}';
}

std::shared_ptr<Shared> Shared::create() {
    return std::make_shared<Shared>(
        Key{},
        StatusSnapshot::probed(std::nullopt, unix_seconds(std::chrono::system_clock::now())));
}

StatusSnapshot Shared::snapshot() const {
    const std::lock_guard lock{current_mutex_};
    return current_;
}

void Shared::replace(StatusSnapshot next) {
    // The old snapshot leaves with `next`, after the lock is released.
    const std::lock_guard lock{current_mutex_};
    std::swap(current_, next);
}

void Shared::request_stop() {
    {
        const std::lock_guard lock{stop_mutex_};
        stop_requested_ = true;
    }
    stop_signal_.notify_all();
}

bool Shared::stop_requested() const {
    const std::lock_guard lock{stop_mutex_};
    return stop_requested_;
}

bool Shared::wait_for_stop(std::chrono::steady_clock::duration limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock lock{stop_mutex_};
    return stop_signal_.wait_until(lock, deadline, [this] { return stop_requested_; });
}

}  // namespace pellamy::desktop
