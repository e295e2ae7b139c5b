#pragma once

#include <expected>
#include <string>

#include "desktop/native/dbus_bus.hpp"
#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

// org.kde.StatusNotifierWatcher: the session's registry of tray items, owned
// by the desktop's tray host.

// Whether some connection owns the watcher's name now (a blocking call).
bool watcher_present(sd_bus* bus);

// Calls the handler with every change of the watcher's owner.
std::expected<BusSlot, Error> watch_watcher(sd_bus* bus, sd_bus_message_handler_t handler,
                                            void* self);

// Whether that change gave the name a new owner: a watcher that appeared or
// restarted, which knows no items yet.
bool watcher_appeared(sd_bus_message* name_owner_changed);

// Asks the watcher to show the item owning `service`, without waiting: a
// watcher that refuses or is gone is met again when its name returns.
void register_with_watcher(sd_bus* bus, const std::string& service);

}  // namespace pellamy::desktop::native
