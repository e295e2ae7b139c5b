#pragma once

#include <optional>

#include "desktop/native/daemon_child.hpp"
#include "desktop/native/tray_icon.hpp"
#include "desktop/native/tray_menu.hpp"
#include "desktop/shared.hpp"

namespace pellamy::desktop::native {

// The three flags the menu shows.
struct StatusTriple {
    bool connected = false;
    bool set_up = false;
    bool unlocked = false;

    static StatusTriple of(const StatusSnapshot& snapshot);
    bool operator==(const StatusTriple&) const = default;
};

// What the event-loop handler shows and tracks; main thread only.
struct TrayState {
    explicit TrayState(TrayMenu built) : menu(std::move(built)) {}

    TrayMenu menu;
    std::optional<TrayIcon> icon;       // from the start event on
    std::optional<DaemonChild> daemon;  // started from the menu and still tracked
    // The triple last shown; none until the first render, and again after a
    // tracked daemon ended, so that the next render runs whatever the triple.
    std::optional<StatusTriple> rendered;
};

}  // namespace pellamy::desktop::native
