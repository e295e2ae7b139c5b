#pragma once

#include "desktop/native/backend.hpp"

namespace pellamy::desktop::native {

// For a machine with no tray host: the loop, menu and icon exist, nothing is
// drawn, and the dashboard is the user's only window.
class HeadlessBackend : public Backend {
public:
    std::expected<void, Error> append(const MenuModel&, const MenuEntry&) override { return {}; }
    void entry_changed(const MenuEntry&) override {}
    std::expected<void, Error> show_icon(const TrayIconModel&) override { return {}; }
    std::expected<void, Error> set_tooltip(const TrayIconModel&, std::string_view) override {
        return {};
    }
    std::expected<void, Error> set_image(const TrayIconModel&, const Icon&) override { return {}; }
    void remove_icon(const TrayIconModel&) override {}
};

}  // namespace pellamy::desktop::native
