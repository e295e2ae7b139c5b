#pragma once

#include <cstdint>
#include <expected>
#include <memory>
#include <string>
#include <vector>

#include "desktop/native/dbus_bus.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/icon.hpp"

namespace pellamy::desktop::native {

// The icon exported as org.kde.StatusNotifierItem at /StatusNotifierItem. It
// is only a menu (ItemIsMenu, Menu at /MenuBar): it has no Activate method, so
// a host that calls it anyway falls back to showing the menu.
class StatusNotifierItem {
public:
    static constexpr const char* path = "/StatusNotifierItem";

    static std::expected<std::unique_ptr<StatusNotifierItem>, Error> export_item(
        sd_bus* bus, const Icon& icon, std::string tooltip);

    StatusNotifierItem(sd_bus* bus, const Icon& icon, std::string tooltip);
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    // Each emits its signal, on which hosts read the property again.
    void set_tooltip(std::string tooltip);
    void set_image(const Icon& icon);

private:
    static int get_pixmap(sd_bus* bus, const char* path, const char* interface,
                          const char* property, sd_bus_message* reply, void* self,
                          sd_bus_error* error);
    static int get_tooltip(sd_bus* bus, const char* path, const char* interface,
                           const char* property, sd_bus_message* reply, void* self,
                           sd_bus_error* error);

    sd_bus* bus_;
    std::vector<std::uint8_t> pixmap_;
    std::string tooltip_;
    BusSlot slot_;
};

}  // namespace pellamy::desktop::native
