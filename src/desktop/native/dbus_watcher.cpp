#include "desktop/native/dbus_watcher.hpp"

namespace pellamy::desktop::native {
namespace {

constexpr const char* watcher_name = "org.kde.StatusNotifierWatcher";

}  // namespace

bool watcher_present(sd_bus* bus) {
    BusError error;
    sd_bus_message* raw = nullptr;
    const int called = sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                          "org.freedesktop.DBus", "NameHasOwner", error.get(), &raw,
                                          "s", watcher_name);
    const BusMessage reply{raw};
    int has_owner = 0;
    return called >= 0 && sd_bus_message_read(reply.get(), "b", &has_owner) >= 0 && has_owner != 0;
}

std::expected<BusSlot, Error> watch_watcher(sd_bus* bus, sd_bus_message_handler_t handler,
                                            void* self) {
    static constexpr const char* rule =
        "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
        "interface='org.freedesktop.DBus',member='NameOwnerChanged',"
        "arg0='org.kde.StatusNotifierWatcher'";
    sd_bus_slot* slot = nullptr;
    if (const int added = sd_bus_add_match(bus, &slot, rule, handler, self); added < 0) {
        return std::unexpected{bus_error("Could not watch the tray host", added)};
    }
    return BusSlot{slot};
}

bool watcher_appeared(sd_bus_message* name_owner_changed) {
    const char* name = nullptr;
    const char* old_owner = nullptr;
    const char* new_owner = nullptr;
    return sd_bus_message_read(name_owner_changed, "sss", &name, &old_owner, &new_owner) >= 0 &&
           *new_owner != '\0';
}

void register_with_watcher(sd_bus* bus, const std::string& service) {
    // No callback and no slot: sent as a call that expects no reply.
    sd_bus_call_method_async(bus, nullptr, watcher_name, "/StatusNotifierWatcher", watcher_name,
                             "RegisterStatusNotifierItem", nullptr, nullptr, "s", service.c_str());
}

}  // namespace pellamy::desktop::native
