#pragma once

#include <expected>
#include <memory>
#include <string>

#include "desktop/native/backend.hpp"
#include "desktop/native/dbus_bus.hpp"
#include "desktop/native/dbus_menu.hpp"
#include "desktop/native/dbus_status_notifier_item.hpp"

namespace pellamy::desktop::native {

// The tray of Linux desktops: the icon as a StatusNotifierItem under the name
// org.kde.StatusNotifierItem-<pid>-1, its menu as a dbusmenu, registered with
// the session's StatusNotifierWatcher and again whenever that restarts. The
// bus connection is served from the event loop's poll(); no thread of its own.
class DbusBackend final : public Backend {
public:
    // Fails when the session bus is out of reach or no watcher owns its name,
    // so that nothing would show the icon.
    static std::expected<std::shared_ptr<DbusBackend>, Error> connect(Bus bus);

    explicit DbusBackend(Bus bus);

    void prepare_poll(PollRequest& request) override;
    void dispatch_poll(std::span<const pollfd> own) override;

    std::expected<void, Error> append(const MenuModel& menu, const MenuEntry& entry) override;
    void entry_changed(const MenuEntry& entry) override;
    std::expected<void, Error> show_icon(const TrayIconModel& icon) override;
    std::expected<void, Error> set_tooltip(const TrayIconModel& icon,
                                           std::string_view tooltip) override;
    std::expected<void, Error> set_image(const TrayIconModel& icon, const Icon& image) override;
    void remove_icon(const TrayIconModel& icon) override;

    // The well-known name the item owns while shown.
    const std::string& service_name() const { return service_name_; }

private:
    static int on_watcher_owner(sd_bus_message* signal, void* self, sd_bus_error* error);

    Bus bus_;
    bool connected_ = true;
    std::string service_name_;
    BusSlot watcher_;
    // Declared after the bus: their slots go before it.
    std::unique_ptr<DbusMenu> menu_;
    std::unique_ptr<StatusNotifierItem> item_;
    const TrayIconModel* shown_ = nullptr;
};

}  // namespace pellamy::desktop::native
