#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "desktop/native/menu_model.hpp"

namespace pellamy::desktop::native {

// One property of a com.canonical.dbusmenu item.
struct MenuProperty {
    std::string_view name;
    std::variant<std::string, bool> value;
    bool operator==(const MenuProperty&) const = default;
};

// The root: its children open as a submenu.
std::vector<MenuProperty> root_properties();

// A separator has only its type; an item its label and enabled flag.
std::vector<MenuProperty> entry_properties(const MenuEntry& entry);

// A single underscore marks the access key in a dbusmenu label; a text shows
// as it is with every underscore doubled.
std::string menu_label(std::string_view text);

}  // namespace pellamy::desktop::native
