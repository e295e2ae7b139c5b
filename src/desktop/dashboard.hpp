#pragma once

#include <chrono>
#include <cstdint>
#include <expected>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "config/configuration.hpp"
#include "desktop/shared.hpp"
#include "desktop/web/server.hpp"

namespace pellamy::desktop {

// Pause between the end of one probe and the start of the next.
inline constexpr std::chrono::seconds probe_interval{2};

// What every run of the command-line tool is given.
struct ToolPaths {
    std::filesystem::path tool;
    std::filesystem::path home;
    std::optional<std::filesystem::path> config_file;  // only when a file was read
};

// The monitor thread's body: one probe, its outcome into `shared`, a pause;
// until a stop is requested.
void run_monitor(const ToolPaths& paths, Shared& shared);

// The status monitor and the dashboard server, started together and stopped
// in order: the monitor first, so that no probe outlives the tray, then the
// server.
class Dashboard {
public:
    // Finds the tool beside the running executable, then starts as below.
    static std::expected<Dashboard, std::string> start(std::uint16_t port,
                                                       const std::filesystem::path& home,
                                                       const config::Configuration& configuration);

    // Creates the shared state, starts the server on `port` and only then the
    // monitor thread "desktop-status". On failure nothing is left running.
    static std::expected<Dashboard, std::string> start(ToolPaths paths, std::uint16_t port);

    Dashboard(Dashboard&&) noexcept = default;
    Dashboard& operator=(Dashboard&&) = delete;
    ~Dashboard() { stop(); }

    // Stops and joins the monitor, killing a running probe, then the server.
    // Later calls do nothing.
    void stop();

    const std::string& url() const { return server_->url(); }
    const ToolPaths& paths() const { return paths_; }
    StatusSnapshot snapshot() const { return shared_->snapshot(); }

private:
    Dashboard(web::Server server, ToolPaths paths, std::shared_ptr<Shared> shared,
              std::thread monitor)
        : server_(std::move(server)),
          paths_(std::move(paths)),
          shared_(std::move(shared)),
          monitor_(std::move(monitor)) {}

    std::optional<web::Server> server_;
    ToolPaths paths_;
    std::shared_ptr<Shared> shared_;
    std::thread monitor_;
};

}  // namespace pellamy::desktop
