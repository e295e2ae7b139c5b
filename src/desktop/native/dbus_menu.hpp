#pragma once

#include <cstdint>
#include <expected>
#include <memory>

#include "desktop/native/dbus_bus.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/menu_model.hpp"

namespace pellamy::desktop::native {

// A menu exported as com.canonical.dbusmenu version 3. Item ids are stable:
// the root is 0 and the entry at index i is i + 1 (entries are only appended).
// A "clicked" event on an enabled item is passed to emit_menu_event.
class DbusMenu {
public:
    static constexpr const char* path = "/MenuBar";

    static std::expected<std::unique_ptr<DbusMenu>, Error> export_menu(
        sd_bus* bus, std::shared_ptr<const MenuModel> menu);

    DbusMenu(sd_bus* bus, std::shared_ptr<const MenuModel> menu)
        : bus_(bus), menu_(std::move(menu)) {}
    DbusMenu(const DbusMenu&) = delete;
    DbusMenu& operator=(const DbusMenu&) = delete;

    bool shows(const MenuModel& menu) const { return menu_.get() == &menu; }

    // An entry is being appended: hosts fetch the layout again.
    void layout_changed();
    // The entry's label or enabled flag changed; ignored unless it is ours.
    void entry_changed(const MenuEntry& entry);

private:
    static int get_layout(sd_bus_message* call, void* self, sd_bus_error* error);
    static int get_group_properties(sd_bus_message* call, void* self, sd_bus_error* error);
    static int get_property(sd_bus_message* call, void* self, sd_bus_error* error);
    static int event(sd_bus_message* call, void* self, sd_bus_error* error);
    static int event_group(sd_bus_message* call, void* self, sd_bus_error* error);
    static int about_to_show(sd_bus_message* call, void* self, sd_bus_error* error);
    static int about_to_show_group(sd_bus_message* call, void* self, sd_bus_error* error);

    bool known(std::int32_t id) const;
    // Whether the event named an item; a click on an enabled one is emitted.
    bool handle_event(std::int32_t id, const char* event_id) const;

    sd_bus* bus_;
    std::shared_ptr<const MenuModel> menu_;
    std::uint32_t revision_ = 1;
    BusSlot slot_;
};

}  // namespace pellamy::desktop::native
