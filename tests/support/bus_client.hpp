#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "desktop/native/dbus_bus.hpp"

namespace pellamy::testing {

using MenuValue = std::variant<std::string, bool>;

// One dbusmenu item as a host reads it.
struct MenuNode {
    std::int32_t id = 0;
    std::map<std::string, MenuValue> properties;
};

// Each item's label, "---" for a separator and " (disabled)" after a disabled
// item's label: the menu as a person would read it.
std::vector<std::string> menu_lines(const std::vector<MenuNode>& nodes);

struct Pixmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> argb;
};

// What a tray host does on the bus: reads a status-notifier item and its
// dbusmenu, and clicks. Blocking calls; failures throw, except where a result
// says whether the call succeeded.
class BusClient {
public:
    explicit BusClient(const std::string& address);

    std::string text_property(const std::string& service, const char* path, const char* interface,
                              const char* name);
    bool item_is_menu(const std::string& service);
    std::string menu_path(const std::string& service);
    std::vector<Pixmap> icon_pixmaps(const std::string& service);
    std::string tooltip_title(const std::string& service);

    // GetLayout of the root; its children, in order.
    std::vector<MenuNode> layout(const std::string& service,
                                 const std::vector<std::string>& names = {});
    std::uint32_t layout_revision(const std::string& service);
    std::vector<MenuNode> group_properties(const std::string& service,
                                           const std::vector<std::int32_t>& ids,
                                           const std::vector<std::string>& names = {});
    // False when the menu answered with an error.
    bool send_event(const std::string& service, std::int32_t id, const char* event_id = "clicked");

    bool has_owner(const std::string& name);

    // Members of the item's and menu's signals received so far, oldest first,
    // including every one sent before this call.
    std::vector<std::string> signals_from(const std::string& service);

private:
    desktop::native::Bus bus_;
    desktop::native::BusSlot match_;
    std::vector<std::string> signals_;
};

}  // namespace pellamy::testing
