#pragma once

#include <functional>

#include "desktop/native/event.hpp"

namespace pellamy::desktop::native {

using MenuEventCallback = std::function<void(const MenuEvent&)>;

// The one process-wide receiver of menu clicks. It should only hand the event
// on (the tray posts it through the loop's proxy); it may run on any thread.
void set_menu_event_callback(MenuEventCallback callback);
void clear_menu_event_callback();

// Called by backends for each click; dropped when no callback is registered.
void emit_menu_event(const MenuEvent& event);

}  // namespace pellamy::desktop::native
