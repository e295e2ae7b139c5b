#include "desktop/native/dbus_menu.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/native/dbus_message_writer.hpp"
#include "desktop/native/dbusmenu_properties.hpp"
#include "desktop/native/menu_event.hpp"

namespace pellamy::desktop::native {
namespace {

constexpr const char* interface = "com.canonical.dbusmenu";
constexpr std::uint32_t protocol_version = 3;
constexpr std::int32_t root_id = 0;

DbusMenu& menu_of(void* self) {
    return *static_cast<DbusMenu*>(self);
}

std::vector<MenuProperty> properties_of(const MenuModel& menu, std::int32_t id) {
    if (id == root_id) {
        return root_properties();
    }
    return entry_properties(*menu.entries.at(static_cast<std::size_t>(id - 1)));
}

void write_value(MessageWriter& out, const MenuProperty& property) {
    if (const auto* text = std::get_if<std::string>(&property.value)) {
        out.append("v", "s", text->c_str());
    } else {
        out.append("v", "b", static_cast<int>(std::get<bool>(property.value)));
    }
}

// a{sv}, keeping only the names asked for (all when none are named).
void write_properties(MessageWriter& out, const std::vector<MenuProperty>& properties,
                      const std::vector<std::string>& names) {
    out.open('a', "{sv}");
    for (const auto& property : properties) {
        if (!names.empty() && std::ranges::find(names, property.name) == names.end()) {
            continue;
        }
        out.open('e', "sv").append("s", std::string{property.name}.c_str());
        write_value(out, property);
        out.close();
    }
    out.close();
}

// (ia{sv}av): only the root has children.
void write_node(MessageWriter& out, const MenuModel& menu, std::int32_t id, std::int32_t depth,
                const std::vector<std::string>& names) {
    out.open('r', "ia{sv}av").append("i", id);
    write_properties(out, properties_of(menu, id), names);
    out.open('a', "v");
    if (id == root_id && depth != 0) {
        for (std::size_t i = 0; i < menu.entries.size(); ++i) {
            out.open('v', "(ia{sv}av)");
            write_node(out, menu, static_cast<std::int32_t>(i + 1), depth - 1, names);
            out.close();
        }
    }
    out.close().close();
}

int read_strings(sd_bus_message* message, std::vector<std::string>& strings) {
    int read = sd_bus_message_enter_container(message, 'a', "s");
    const char* text = nullptr;
    while (read >= 0 && (read = sd_bus_message_read(message, "s", &text)) > 0) {
        strings.emplace_back(text);
    }
    return read < 0 ? read : sd_bus_message_exit_container(message);
}

int read_ids(sd_bus_message* message, std::vector<std::int32_t>& ids) {
    const void* data = nullptr;
    std::size_t size = 0;
    const int read = sd_bus_message_read_array(message, 'i', &data, &size);
    if (read >= 0) {
        const auto* first = static_cast<const std::int32_t*>(data);
        ids.assign(first, first + size / sizeof(std::int32_t));
    }
    return read;
}

int unknown_item(sd_bus_error* error, std::int32_t id) {
    return sd_bus_error_setf(error, SD_BUS_ERROR_INVALID_ARGS, "No menu item %d", id);
}

// Builds a reply with `write` and sends it.
template <typename Write>
int reply_with(sd_bus_message* call, Write write) {
    sd_bus_message* raw = nullptr;
    int status = sd_bus_message_new_method_return(call, &raw);
    const BusMessage reply{raw};
    if (status < 0) {
        return status;
    }
    MessageWriter out{reply.get()};
    write(out);
    status = out.status();
    return status < 0 ? status : sd_bus_send(nullptr, reply.get(), nullptr);
}

int get_version(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                sd_bus_error*) {
    return sd_bus_message_append(reply, "u", protocol_version);
}

int get_text_direction(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                       sd_bus_error*) {
    return sd_bus_message_append(reply, "s", "ltr");
}

int get_status(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
               sd_bus_error*) {
    return sd_bus_message_append(reply, "s", "normal");
}

int get_icon_theme_path(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply,
                        void*, sd_bus_error*) {
    return sd_bus_message_append(reply, "as", 0);
}

}  // namespace

std::expected<std::unique_ptr<DbusMenu>, Error> DbusMenu::export_menu(
    sd_bus* bus, std::shared_ptr<const MenuModel> menu) {
    static constexpr sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("GetLayout", "iias", "u(ia{sv}av)", get_layout, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("GetGroupProperties", "aias", "a(ia{sv})", get_group_properties,
                      SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("GetProperty", "is", "v", get_property, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("Event", "isvu", "", event, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("EventGroup", "a(isvu)", "ai", event_group, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("AboutToShow", "i", "b", about_to_show, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_METHOD("AboutToShowGroup", "ai", "aiai", about_to_show_group,
                      SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_PROPERTY("Version", "u", get_version, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("TextDirection", "s", get_text_direction, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("Status", "s", get_status, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_PROPERTY("IconThemePath", "as", get_icon_theme_path, 0,
                        SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_SIGNAL("ItemsPropertiesUpdated", "a(ia{sv})a(ias)", 0),
        SD_BUS_SIGNAL("LayoutUpdated", "ui", 0),
        SD_BUS_SIGNAL("ItemActivationRequested", "iu", 0),
        SD_BUS_VTABLE_END};

    auto exported = std::make_unique<DbusMenu>(bus, std::move(menu));
    sd_bus_slot* slot = nullptr;
    if (const int added =
            sd_bus_add_object_vtable(bus, &slot, path, interface, vtable, exported.get());
        added < 0) {
        return std::unexpected{bus_error("Could not show the tray menu", added)};
    }
    exported->slot_.reset(slot);
    return exported;
}

void DbusMenu::layout_changed() {
    ++revision_;
    sd_bus_emit_signal(bus_, path, interface, "LayoutUpdated", "ui", revision_, root_id);
}

void DbusMenu::entry_changed(const MenuEntry& entry) {
    const auto& entries = menu_->entries;
    const auto found =
        std::ranges::find_if(entries, [&entry](const auto& own) { return own.get() == &entry; });
    if (found == entries.end()) {
        return;
    }
    const auto id = static_cast<std::int32_t>(found - entries.begin() + 1);
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_signal(bus_, &raw, path, interface, "ItemsPropertiesUpdated") < 0) {
        return;
    }
    const BusMessage signal{raw};
    MessageWriter out{signal.get()};
    out.open('a', "(ia{sv})").open('r', "ia{sv}").append("i", id);
    write_properties(out, entry_properties(entry), {});
    out.close().close().append("a(ias)", 0);
    if (out.status() >= 0) {
        sd_bus_send(bus_, signal.get(), nullptr);
    }
}

bool DbusMenu::known(std::int32_t id) const {
    return id >= root_id && static_cast<std::size_t>(id) <= menu_->entries.size();
}

bool DbusMenu::handle_event(std::int32_t id, const char* event_id) const {
    if (!known(id)) {
        return false;
    }
    if (id != root_id && std::string_view{event_id} == "clicked") {
        const auto& entry = *menu_->entries[static_cast<std::size_t>(id - 1)];
        if (!entry.separator && entry.enabled) {
            emit_menu_event(MenuEvent{entry.id});
        }
    }
    return true;
}

int DbusMenu::get_layout(sd_bus_message* call, void* self, sd_bus_error* error) {
    const DbusMenu& menu = menu_of(self);
    std::int32_t parent = 0;
    std::int32_t depth = 0;
    std::vector<std::string> names;
    int read = sd_bus_message_read(call, "ii", &parent, &depth);
    if (read >= 0) {
        read = read_strings(call, names);
    }
    if (read < 0) {
        return read;
    }
    if (!menu.known(parent)) {
        return unknown_item(error, parent);
    }
    return reply_with(call, [&](MessageWriter& out) {
        out.append("u", menu.revision_);
        write_node(out, *menu.menu_, parent, depth, names);
    });
}

int DbusMenu::get_group_properties(sd_bus_message* call, void* self, sd_bus_error*) {
    const DbusMenu& menu = menu_of(self);
    std::vector<std::int32_t> ids;
    std::vector<std::string> names;
    int read = read_ids(call, ids);
    if (read >= 0) {
        read = read_strings(call, names);
    }
    if (read < 0) {
        return read;
    }
    // No ids asks for every item.
    if (ids.empty()) {
        for (std::size_t id = 0; id <= menu.menu_->entries.size(); ++id) {
            ids.push_back(static_cast<std::int32_t>(id));
        }
    }
    return reply_with(call, [&](MessageWriter& out) {
        out.open('a', "(ia{sv})");
        for (const std::int32_t id : ids) {
            if (menu.known(id)) {
                out.open('r', "ia{sv}").append("i", id);
                write_properties(out, properties_of(*menu.menu_, id), names);
                out.close();
            }
        }
        out.close();
    });
}

int DbusMenu::get_property(sd_bus_message* call, void* self, sd_bus_error* error) {
    const DbusMenu& menu = menu_of(self);
    std::int32_t id = 0;
    const char* name = nullptr;
    if (const int read = sd_bus_message_read(call, "is", &id, &name); read < 0) {
        return read;
    }
    if (!menu.known(id)) {
        return unknown_item(error, id);
    }
    const auto properties = properties_of(*menu.menu_, id);
    const auto found = std::ranges::find(properties, std::string_view{name}, &MenuProperty::name);
    if (found == properties.end()) {
        return sd_bus_error_setf(error, SD_BUS_ERROR_INVALID_ARGS, "No property %s", name);
    }
    return reply_with(call, [&](MessageWriter& out) { write_value(out, *found); });
}

int DbusMenu::event(sd_bus_message* call, void* self, sd_bus_error* error) {
    std::int32_t id = 0;
    const char* event_id = nullptr;
    if (const int read = sd_bus_message_read(call, "is", &id, &event_id); read < 0) {
        return read;
    }
    if (!menu_of(self).handle_event(id, event_id)) {
        return unknown_item(error, id);
    }
    return sd_bus_reply_method_return(call, "");
}

int DbusMenu::event_group(sd_bus_message* call, void* self, sd_bus_error* error) {
    std::vector<std::int32_t> unknown;
    std::size_t events = 0;
    int read = sd_bus_message_enter_container(call, 'a', "(isvu)");
    while (read >= 0 && (read = sd_bus_message_enter_container(call, 'r', "isvu")) > 0) {
        std::int32_t id = 0;
        const char* event_id = nullptr;
        read = sd_bus_message_read(call, "is", &id, &event_id);
        if (read >= 0) {
            read = sd_bus_message_skip(call, "vu");
        }
        if (read >= 0) {
            read = sd_bus_message_exit_container(call);
        }
        if (read >= 0 && !menu_of(self).handle_event(id, event_id)) {
            unknown.push_back(id);
        }
        ++events;
    }
    if (read < 0) {
        return read;
    }
    // Only a group in which no event found its item is an error.
    if (events > 0 && unknown.size() == events) {
        return unknown_item(error, unknown.front());
    }
    return reply_with(call, [&](MessageWriter& out) {
        out.open('a', "i");
        for (const std::int32_t id : unknown) {
            out.append("i", id);
        }
        out.close();
    });
}

int DbusMenu::about_to_show(sd_bus_message* call, void* self, sd_bus_error* error) {
    std::int32_t id = 0;
    if (const int read = sd_bus_message_read(call, "i", &id); read < 0) {
        return read;
    }
    if (!menu_of(self).known(id)) {
        return unknown_item(error, id);
    }
    // The layout is always current; nothing to fetch first.
    return sd_bus_reply_method_return(call, "b", 0);
}

int DbusMenu::about_to_show_group(sd_bus_message* call, void* self, sd_bus_error*) {
    std::vector<std::int32_t> ids;
    if (const int read = read_ids(call, ids); read < 0) {
        return read;
    }
    return reply_with(call, [&](MessageWriter& out) {
        out.append("ai", 0).open('a', "i");
        for (const std::int32_t id : ids) {
            if (!menu_of(self).known(id)) {
                out.append("i", id);
            }
        }
        out.close();
    });
}

}  // namespace pellamy::desktop::native
