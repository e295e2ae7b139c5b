#include "desktop/native/tray_icon.hpp"

namespace pellamy::desktop::native {

void TrayIcon::Remover::operator()(TrayIconModel* model) const {
    backend->remove_icon(*model);
    std::default_delete<TrayIconModel>{}(model);
}

std::expected<TrayIcon, Error> TrayIcon::create(const EventLoop& loop, Icon icon,
                                                std::string tooltip, const Menu& menu) {
    auto model = std::make_unique<TrayIconModel>(std::move(icon), std::move(tooltip), menu.model());
    const auto& backend = loop.backend();
    if (auto shown = backend->show_icon(*model); !shown) {
        return std::unexpected{std::move(shown.error())};
    }
    return TrayIcon{std::unique_ptr<TrayIconModel, Remover>{model.release(), Remover{backend}}};
}

std::expected<void, Error> TrayIcon::set_tooltip(std::string tooltip) {
    const auto& backend = shown_.get_deleter().backend;
    if (auto set = backend->set_tooltip(*shown_, tooltip); !set) {
        return set;
    }
    shown_->tooltip = std::move(tooltip);
    return {};
}

std::expected<void, Error> TrayIcon::set_icon(Icon icon) {
    const auto& backend = shown_.get_deleter().backend;
    if (auto set = backend->set_image(*shown_, icon); !set) {
        return set;
    }
    shown_->icon = std::move(icon);
    return {};
}

}  // namespace pellamy::desktop::native
