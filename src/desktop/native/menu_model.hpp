#pragma once

#include <memory>
#include <string>
#include <vector>

#include "desktop/native/icon.hpp"

namespace pellamy::desktop::native {

// What a backend reads to draw the menu and the menu-bar icon. The toolkit
// classes own these records and tell the backend when they change.

struct MenuEntry {
    std::string id;  // unique in the process; separators have one too
    bool separator = false;
    std::string text;
    bool enabled = true;
};

struct MenuModel {
    std::string id;
    std::vector<std::shared_ptr<const MenuEntry>> entries;
};

struct TrayIconModel {
    Icon icon;
    std::string tooltip;
    std::shared_ptr<const MenuModel> menu;
};

}  // namespace pellamy::desktop::native
