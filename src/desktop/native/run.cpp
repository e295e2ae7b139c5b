#include "desktop/native/run.hpp"

#include "desktop/native/menu_event.hpp"
#include "desktop/native/tray_handler.hpp"

namespace pellamy::desktop::native {
namespace {

// Everything of the toolkit lives and goes inside this call.
std::optional<Error> run_loop(std::shared_ptr<Backend> backend, const Dashboard& dashboard,
                              bool open_browser) {
    auto loop = EventLoop::create(std::move(backend));
    if (!loop) {
        return std::move(loop.error());
    }
    // Clicks are only posted here and handled in a later round of the loop.
    set_menu_event_callback(
        [proxy = loop->proxy()](const MenuEvent& event) { static_cast<void>(proxy.post(event)); });
    auto menu = build_tray_menu(*loop);
    if (!menu) {
        clear_menu_event_callback();
        return std::move(menu.error());
    }
    TrayHandler handler{*loop, std::move(*menu), dashboard, open_browser};
    loop->run(std::ref(handler));
    return handler.finish();
}

}  // namespace

std::expected<void, Error> run(std::shared_ptr<Backend> backend, Dashboard dashboard,
                               bool open_browser) {
    auto pending = run_loop(std::move(backend), dashboard, open_browser);
    dashboard.stop();
    if (pending) {
        return std::unexpected{std::move(*pending)};
    }
    return {};
}

std::expected<void, Error> run(Dashboard dashboard, bool open_browser) {
    return run(platform_backend(), std::move(dashboard), open_browser);
}

}  // namespace pellamy::desktop::native
