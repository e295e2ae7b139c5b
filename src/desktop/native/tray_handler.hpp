#pragma once

#include <chrono>
#include <optional>

#include "desktop/dashboard.hpp"
#include "desktop/native/control_flow.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/event.hpp"
#include "desktop/native/event_loop.hpp"
#include "desktop/native/tray_state.hpp"

namespace pellamy::desktop::native {

// Without other events the handler runs this often, to follow the monitor.
inline constexpr std::chrono::seconds refresh_period{1};

// The event loop's handler: it shows the icon at the start event, acts on
// menu clicks, notices a daemon that ended and keeps the menu in step with
// the monitored status.
class TrayHandler {
public:
    TrayHandler(const EventLoop& loop, TrayMenu menu, const Dashboard& dashboard, bool open_browser)
        : loop_(loop),
          state_(std::move(menu)),
          dashboard_(dashboard),
          open_browser_(open_browser) {}

    void operator()(const Event& event, ControlFlow& flow);

    // After the loop: removes the icon, stops routing clicks, leaves a tracked
    // daemon running, and returns the error that ended the loop, if any.
    std::optional<Error> finish();

    const TrayState& state() const { return state_; }

private:
    void on_start(ControlFlow& flow);
    void on_menu(const MenuEvent& event, ControlFlow& flow);
    // Ends the loop with `error` as the tray's result.
    void fail(Error error, ControlFlow& flow);

    const EventLoop& loop_;
    TrayState state_;
    const Dashboard& dashboard_;
    bool open_browser_;
    std::optional<Error> pending_error_;
};

}  // namespace pellamy::desktop::native
