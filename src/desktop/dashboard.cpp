#include "desktop/dashboard.hpp"

#include <pthread.h>

#include <system_error>

#include "desktop/probe.hpp"
#include "desktop/tool.hpp"

namespace pellamy::desktop {
namespace {

std::optional<std::filesystem::path> config_file_of(const config::Configuration& configuration) {
    return configuration.from_file ? std::optional{configuration.path} : std::nullopt;
}

void monitor_thread(const ToolPaths& paths, const std::shared_ptr<Shared>& shared) noexcept {
    try {
        run_monitor(paths, *shared);
    } catch (...) {
        // A failed monitor leaves the last snapshot in place; the tray goes on.
    }
}

}  // namespace

void run_monitor(const ToolPaths& paths, Shared& shared) {
    while (!shared.stop_requested()) {
        auto status = probe_status(paths.tool, paths.home, paths.config_file, shared);
        const auto checked_at = unix_seconds(std::chrono::system_clock::now());
        // A failure's description is dropped: the menu and the page only show
        // whether the daemon answered.
        shared.replace(StatusSnapshot::probed(
            status ? std::optional{std::move(*status)} : std::nullopt, checked_at));
        shared.wait_for_stop(probe_interval);
    }
}

std::expected<Dashboard, std::string> Dashboard::start(std::uint16_t port,
                                                       const std::filesystem::path& home,
                                                       const config::Configuration& configuration) {
    auto tool = locate_tool();
    if (!tool) {
        return std::unexpected{std::move(tool.error())};
    }
    return start(ToolPaths{std::move(*tool), home, config_file_of(configuration)}, port);
}

std::expected<Dashboard, std::string> Dashboard::start(ToolPaths paths, std::uint16_t port) {
    auto shared = Shared::create();
    auto server = web::Server::start(port, shared);
    if (!server) {
        return std::unexpected{server.error().message()};
    }
    try {
        std::thread monitor{monitor_thread, paths, shared};
        ::pthread_setname_np(monitor.native_handle(), "desktop-status");
        return Dashboard{std::move(*server), std::move(paths), std::move(shared),
                         std::move(monitor)};
    } catch (const std::system_error& failure) {
        return std::unexpected{failure.code().message()};
    }
}

void Dashboard::stop() {
    if (monitor_.joinable()) {
        shared_->request_stop();
        monitor_.join();
    }
    shared_.reset();
    server_.reset();
}

}  // namespace pellamy::desktop
