#include "support/bus_client.hpp"

#include <stdexcept>

namespace pellamy::testing {
namespace {

using desktop::native::BusError;
using desktop::native::BusMessage;

constexpr const char* item_interface = "org.kde.StatusNotifierItem";
constexpr const char* item_path = "/StatusNotifierItem";
constexpr const char* menu_interface = "com.canonical.dbusmenu";
constexpr const char* menu_object = "/MenuBar";

void check(int status, const char* what) {
    if (status < 0) {
        throw std::runtime_error{std::string{"bus client: "} + what};
    }
}

BusMessage property(sd_bus* bus, const std::string& service, const char* path,
                    const char* interface, const char* name, const char* type) {
    BusError error;
    sd_bus_message* reply = nullptr;
    check(
        sd_bus_get_property(bus, service.c_str(), path, interface, name, error.get(), &reply, type),
        name);
    return BusMessage{reply};
}

std::map<std::string, MenuValue> read_properties(sd_bus_message* m) {
    std::map<std::string, MenuValue> properties;
    check(sd_bus_message_enter_container(m, 'a', "{sv}"), "a{sv}");
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* name = nullptr;
        char type = 0;
        const char* contents = nullptr;
        check(sd_bus_message_read(m, "s", &name), "name");
        check(sd_bus_message_peek_type(m, &type, &contents), "peek");
        check(sd_bus_message_enter_container(m, 'v', contents), "v");
        if (contents[0] == 's') {
            const char* text = nullptr;
            check(sd_bus_message_read(m, "s", &text), "s");
            properties[name] = std::string{text};
        } else if (contents[0] == 'b') {
            int flag = 0;
            check(sd_bus_message_read(m, "b", &flag), "b");
            properties[name] = flag != 0;
        } else {
            check(sd_bus_message_skip(m, contents), "skip");
            properties[name] = std::string{"<"} + contents + ">";
        }
        check(sd_bus_message_exit_container(m), "exit v");
        check(sd_bus_message_exit_container(m), "exit e");
    }
    check(sd_bus_message_exit_container(m), "exit a");
    return properties;
}

// (ia{sv}av), with the children's nodes appended to `children`.
MenuNode read_node(sd_bus_message* m, std::vector<MenuNode>* children) {
    MenuNode node;
    check(sd_bus_message_enter_container(m, 'r', "ia{sv}av"), "node");
    check(sd_bus_message_read(m, "i", &node.id), "id");
    node.properties = read_properties(m);
    check(sd_bus_message_enter_container(m, 'a', "v"), "children");
    while (sd_bus_message_enter_container(m, 'v', "(ia{sv}av)") > 0) {
        auto child = read_node(m, nullptr);
        if (children != nullptr) {
            children->push_back(std::move(child));
        }
        check(sd_bus_message_exit_container(m), "exit child");
    }
    check(sd_bus_message_exit_container(m), "exit children");
    check(sd_bus_message_exit_container(m), "exit node");
    return node;
}

// The property names a dbusmenu call asks for, as "as".
void append_names(sd_bus_message* call, const std::vector<std::string>& names) {
    check(sd_bus_message_open_container(call, 'a', "s"), "open");
    for (const auto& name : names) {
        check(sd_bus_message_append(call, "s", name.c_str()), "name");
    }
    check(sd_bus_message_close_container(call), "close");
}

BusMessage call_get_layout(sd_bus* bus, const std::string& service,
                           const std::vector<std::string>& names) {
    sd_bus_message* raw = nullptr;
    check(sd_bus_message_new_method_call(bus, &raw, service.c_str(), menu_object, menu_interface,
                                         "GetLayout"),
          "new call");
    const BusMessage call{raw};
    check(sd_bus_message_append(call.get(), "ii", 0, -1), "append");
    append_names(call.get(), names);
    BusError error;
    sd_bus_message* reply = nullptr;
    check(sd_bus_call(bus, call.get(), 0, error.get(), &reply), "GetLayout");
    return BusMessage{reply};
}

}  // namespace

std::vector<std::string> menu_lines(const std::vector<MenuNode>& nodes) {
    std::vector<std::string> lines;
    for (const auto& node : nodes) {
        const auto& p = node.properties;
        if (p.contains("type") && p.at("type") == MenuValue{"separator"}) {
            lines.emplace_back("---");
            continue;
        }
        const auto label = std::get<std::string>(p.at("label"));
        const bool enabled = !p.contains("enabled") || std::get<bool>(p.at("enabled"));
        lines.push_back(enabled ? label : label + " (disabled)");
    }
    return lines;
}

BusClient::BusClient(const std::string& address) {
    auto bus = desktop::native::open_bus(address);
    if (!bus) {
        throw std::runtime_error{bus.error().message()};
    }
    bus_ = std::move(*bus);
    sd_bus_slot* slot = nullptr;
    check(sd_bus_add_match(
              bus_.get(), &slot, "type='signal'",
              [](sd_bus_message* m, void* self, sd_bus_error*) {
                  const std::string interface = sd_bus_message_get_interface(m);
                  if (interface == item_interface || interface == menu_interface) {
                      static_cast<BusClient*>(self)->signals_.emplace_back(
                          sd_bus_message_get_member(m));
                  }
                  return 0;
              },
              this),
          "match");
    match_.reset(slot);
}

std::string BusClient::text_property(const std::string& service, const char* path,
                                     const char* interface, const char* name) {
    BusError error;
    char* text = nullptr;
    check(sd_bus_get_property_string(bus_.get(), service.c_str(), path, interface, name,
                                     error.get(), &text),
          name);
    std::string result = text;
    ::free(text);
    return result;
}

bool BusClient::item_is_menu(const std::string& service) {
    int flag = 0;
    BusError error;
    check(sd_bus_get_property_trivial(bus_.get(), service.c_str(), item_path, item_interface,
                                      "ItemIsMenu", error.get(), 'b', &flag),
          "ItemIsMenu");
    return flag != 0;
}

std::string BusClient::menu_path(const std::string& service) {
    const auto reply = property(bus_.get(), service, item_path, item_interface, "Menu", "o");
    const char* path = nullptr;
    check(sd_bus_message_read(reply.get(), "o", &path), "Menu");
    return path;
}

std::vector<Pixmap> BusClient::icon_pixmaps(const std::string& service) {
    const auto reply =
        property(bus_.get(), service, item_path, item_interface, "IconPixmap", "a(iiay)");
    std::vector<Pixmap> pixmaps;
    check(sd_bus_message_enter_container(reply.get(), 'a', "(iiay)"), "a(iiay)");
    while (sd_bus_message_enter_container(reply.get(), 'r', "iiay") > 0) {
        Pixmap pixmap;
        const void* data = nullptr;
        std::size_t size = 0;
        check(sd_bus_message_read(reply.get(), "ii", &pixmap.width, &pixmap.height), "size");
        check(sd_bus_message_read_array(reply.get(), 'y', &data, &size), "bytes");
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        pixmap.argb.assign(bytes, bytes + size);
        pixmaps.push_back(std::move(pixmap));
        check(sd_bus_message_exit_container(reply.get()), "exit");
    }
    return pixmaps;
}

std::string BusClient::tooltip_title(const std::string& service) {
    const auto reply =
        property(bus_.get(), service, item_path, item_interface, "ToolTip", "(sa(iiay)ss)");
    const char* icon_name = nullptr;
    const char* title = nullptr;
    const char* description = nullptr;
    check(sd_bus_message_enter_container(reply.get(), 'r', "sa(iiay)ss"), "ToolTip");
    check(sd_bus_message_read(reply.get(), "s", &icon_name), "icon name");
    check(sd_bus_message_skip(reply.get(), "a(iiay)"), "pixmaps");
    check(sd_bus_message_read(reply.get(), "ss", &title, &description), "title");
    return title;
}

std::vector<MenuNode> BusClient::layout(const std::string& service,
                                        const std::vector<std::string>& names) {
    const auto reply = call_get_layout(bus_.get(), service, names);
    std::uint32_t revision = 0;
    check(sd_bus_message_read(reply.get(), "u", &revision), "revision");
    std::vector<MenuNode> children;
    read_node(reply.get(), &children);
    return children;
}

std::uint32_t BusClient::layout_revision(const std::string& service) {
    const auto reply = call_get_layout(bus_.get(), service, {});
    std::uint32_t revision = 0;
    check(sd_bus_message_read(reply.get(), "u", &revision), "revision");
    return revision;
}

std::vector<MenuNode> BusClient::group_properties(const std::string& service,
                                                  const std::vector<std::int32_t>& ids,
                                                  const std::vector<std::string>& names) {
    sd_bus_message* raw = nullptr;
    check(sd_bus_message_new_method_call(bus_.get(), &raw, service.c_str(), menu_object,
                                         menu_interface, "GetGroupProperties"),
          "new call");
    const BusMessage call{raw};
    check(sd_bus_message_append_array(call.get(), 'i', ids.data(), ids.size() * sizeof(ids[0])),
          "ids");
    append_names(call.get(), names);
    BusError error;
    sd_bus_message* reply_raw = nullptr;
    check(sd_bus_call(bus_.get(), call.get(), 0, error.get(), &reply_raw), "GetGroupProperties");
    const BusMessage reply{reply_raw};
    std::vector<MenuNode> nodes;
    check(sd_bus_message_enter_container(reply.get(), 'a', "(ia{sv})"), "a");
    while (sd_bus_message_enter_container(reply.get(), 'r', "ia{sv}") > 0) {
        MenuNode node;
        check(sd_bus_message_read(reply.get(), "i", &node.id), "id");
        node.properties = read_properties(reply.get());
        nodes.push_back(std::move(node));
        check(sd_bus_message_exit_container(reply.get()), "exit");
    }
    return nodes;
}

bool BusClient::send_event(const std::string& service, std::int32_t id, const char* event_id) {
    BusError error;
    return sd_bus_call_method(bus_.get(), service.c_str(), menu_object, menu_interface, "Event",
                              error.get(), nullptr, "isvu", id, event_id, "s", "", 0U) >= 0;
}

bool BusClient::has_owner(const std::string& name) {
    BusError error;
    sd_bus_message* raw = nullptr;
    check(sd_bus_call_method(bus_.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", "NameHasOwner", error.get(), &raw, "s",
                             name.c_str()),
          "NameHasOwner");
    const BusMessage reply{raw};
    int owned = 0;
    check(sd_bus_message_read(reply.get(), "b", &owned), "owned");
    return owned != 0;
}

std::vector<std::string> BusClient::signals_from(const std::string& service) {
    // Messages from one sender arrive in order: once the ping's answer is in,
    // so is every signal sent before it.
    BusError error;
    check(sd_bus_call_method(bus_.get(), service.c_str(), "/", "org.freedesktop.DBus.Peer", "Ping",
                             error.get(), nullptr, ""),
          "Ping");
    while (sd_bus_process(bus_.get(), nullptr) > 0) {
    }
    return signals_;
}

}  // namespace pellamy::testing
