#pragma once

#include <expected>

#include "desktop/native/error.hpp"
#include "desktop/native/event_loop.hpp"
#include "desktop/native/menu.hpp"

namespace pellamy::desktop::native {

// The tray's menu: status line, separator, open, start, separator, quit.
struct TrayMenu {
    Menu menu;
    MenuItem status;
    MenuItem open;
    MenuItem start;
    MenuItem quit;
};

// Creates the items with their translated texts and appends them in order;
// fails with the toolkit's error when it refuses one.
std::expected<TrayMenu, Error> build_tray_menu(const EventLoop& loop);

}  // namespace pellamy::desktop::native
