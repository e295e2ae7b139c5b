#pragma once

#include <poll.h>

#include <expected>
#include <memory>
#include <span>
#include <string_view>

#include "desktop/native/error.hpp"
#include "desktop/native/icon.hpp"
#include "desktop/native/menu_model.hpp"
#include "desktop/native/poll_request.hpp"

namespace pellamy::desktop::native {

// A platform's tray: it draws the menu-bar icon and its menu, and reports
// clicks through emit_menu_event. Every call comes from the main thread. The
// records passed in stay at the same address until the icon is removed.
class Backend {
public:
    Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;
    virtual ~Backend() = default;

    // Each round of the event loop: the backend adds its descriptors and its
    // next timeout, then handles what poll() reported for those descriptors.
    virtual void prepare_poll(PollRequest& request) { (void)request; }
    virtual void dispatch_poll(std::span<const pollfd> own) { (void)own; }

    // Changes are asked for before the model takes them, and the model keeps
    // its old value when the backend refuses.
    virtual std::expected<void, Error> append(const MenuModel& menu, const MenuEntry& entry) = 0;
    // Told after an entry's text or enabled flag changed.
    virtual void entry_changed(const MenuEntry& entry) = 0;

    virtual std::expected<void, Error> show_icon(const TrayIconModel& icon) = 0;
    virtual std::expected<void, Error> set_tooltip(const TrayIconModel& icon,
                                                   std::string_view tooltip) = 0;
    virtual std::expected<void, Error> set_image(const TrayIconModel& icon, const Icon& image) = 0;
    virtual void remove_icon(const TrayIconModel& icon) = 0;
};

// The backend for this machine: on Linux the headless one for now.
std::shared_ptr<Backend> platform_backend();

}  // namespace pellamy::desktop::native
