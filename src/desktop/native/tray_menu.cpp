#include "desktop/native/tray_menu.hpp"

#include <array>

#include "i18n/tr.hpp"

namespace pellamy::desktop::native {

std::expected<TrayMenu, Error> build_tray_menu(const EventLoop& loop) {
    using i18n::tr;
    TrayMenu tray{.menu = Menu::create(loop),
                  .status = MenuItem::create(loop, tr("Waiting for Pellamy"), false),
                  .open = MenuItem::create(loop, tr("Open status dashboard"), true),
                  .start = MenuItem::create(loop, tr("Start daemon"), true),
                  .quit = MenuItem::create(loop, tr("Quit tray"), true)};
    // Null stands for a separator.
    const std::array<const MenuItem*, 6> order{&tray.status, nullptr, &tray.open,
                                               &tray.start,  nullptr, &tray.quit};
    for (const MenuItem* item : order) {
        auto appended = item != nullptr ? tray.menu.append(*item) : tray.menu.append_separator();
        if (!appended) {
            return std::unexpected{std::move(appended.error())};
        }
    }
    return tray;
}

}  // namespace pellamy::desktop::native
