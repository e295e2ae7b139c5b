#include "desktop/native/tray_handler.hpp"

#include "desktop/native/actions.hpp"
#include "desktop/native/menu_event.hpp"
#include "desktop/native/render.hpp"
#include "desktop/native/tray_image.hpp"

namespace pellamy::desktop::native {

void TrayHandler::operator()(const Event& event, ControlFlow& flow) {
    flow.wait_until(ControlFlow::Clock::now() + refresh_period);
    if (std::holds_alternative<StartEvent>(event)) {
        on_start(flow);
    } else if (const auto* click = std::get_if<MenuEvent>(&event)) {
        on_menu(*click, flow);
    }
    check_daemon(state_);
    render(state_, dashboard_.snapshot());
}

void TrayHandler::on_start(ControlFlow& flow) {
    auto image = make_icon();
    if (!image) {
        fail(std::move(image.error()), flow);
        return;
    }
    auto icon = TrayIcon::create(loop_, std::move(*image), "Pellamy", state_.menu.menu);
    if (!icon) {
        fail(std::move(icon.error()), flow);
        return;
    }
    state_.icon = std::move(*icon);
    render(state_, dashboard_.snapshot());
    if (open_browser_) {
        open_dashboard(state_, dashboard_.url());
    }
}

void TrayHandler::fail(Error error, ControlFlow& flow) {
    pending_error_ = std::move(error);
    flow.exit(0);
}

void TrayHandler::on_menu(const MenuEvent& event, ControlFlow& flow) {
    const auto& menu = state_.menu;
    if (event.id == menu.quit.id()) {
        flow.exit(0);
    } else if (event.id == menu.open.id()) {
        open_dashboard(state_, dashboard_.url());
    } else if (event.id == menu.start.id()) {
        start_daemon(state_, dashboard_.paths());
    }
}

std::optional<Error> TrayHandler::finish() {
    state_.icon.reset();
    clear_menu_event_callback();
    state_.daemon.reset();
    return std::exchange(pending_error_, std::nullopt);
}

}  // namespace pellamy::desktop::native
