#pragma once

#include <expected>
#include <memory>
#include <string>

#include "desktop/native/backend.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/event_loop.hpp"
#include "desktop/native/icon.hpp"
#include "desktop/native/menu.hpp"
#include "desktop/native/menu_model.hpp"

namespace pellamy::desktop::native {

// The icon in the menu bar; clicking it shows its menu. Dropping it removes it.
class TrayIcon {
public:
    static std::expected<TrayIcon, Error> create(const EventLoop& loop, Icon icon,
                                                 std::string tooltip, const Menu& menu);

    // The backend may refuse; the icon then keeps what it showed.
    std::expected<void, Error> set_tooltip(std::string tooltip);
    std::expected<void, Error> set_icon(Icon icon);

    const TrayIconModel& model() const { return *shown_; }

private:
    // Removes the icon from the backend before its record goes.
    struct Remover {
        std::shared_ptr<Backend> backend;
        void operator()(TrayIconModel* model) const;
    };

    explicit TrayIcon(std::unique_ptr<TrayIconModel, Remover> shown) : shown_(std::move(shown)) {}

    std::unique_ptr<TrayIconModel, Remover> shown_;
};

}  // namespace pellamy::desktop::native
