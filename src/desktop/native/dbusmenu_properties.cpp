#include "desktop/native/dbusmenu_properties.hpp"

namespace pellamy::desktop::native {

std::vector<MenuProperty> root_properties() {
    return {{"children-display", std::string{"submenu"}}};
}

std::vector<MenuProperty> entry_properties(const MenuEntry& entry) {
    if (entry.separator) {
        return {{"type", std::string{"separator"}}};
    }
    return {{"label", menu_label(entry.text)}, {"enabled", entry.enabled}};
}

std::string menu_label(std::string_view text) {
    std::string label;
    label.reserve(text.size());
    for (const char c : text) {
        if (c == '_') {
            label += '_';
        }
        label += c;
    }
    return label;
}

}  // namespace pellamy::desktop::native
