#include "desktop/native/dbus_backend.hpp"

#include <fmt/format.h>
#include <unistd.h>

#include <chrono>

#include "desktop/native/dbus_watcher.hpp"

namespace pellamy::desktop::native {

std::expected<std::shared_ptr<DbusBackend>, Error> DbusBackend::connect(Bus bus) {
    auto backend = std::make_shared<DbusBackend>(std::move(bus));
    sd_bus* raw = backend->bus_.get();
    // Watch first, so a watcher that starts in between is not missed.
    auto watch = watch_watcher(raw, on_watcher_owner, backend.get());
    if (!watch) {
        return std::unexpected{std::move(watch.error())};
    }
    backend->watcher_ = std::move(*watch);
    if (!watcher_present(raw)) {
        return std::unexpected{Error{"No tray host on the session bus"}};
    }
    return backend;
}

DbusBackend::DbusBackend(Bus bus)
    : bus_(std::move(bus)),
      service_name_(fmt::format("org.kde.StatusNotifierItem-{}-1", ::getpid())) {}

void DbusBackend::prepare_poll(PollRequest& request) {
    if (!connected_) {
        return;
    }
    const int events = sd_bus_get_events(bus_.get());
    if (events < 0) {
        connected_ = false;
        return;
    }
    request.watch(sd_bus_get_fd(bus_.get()), static_cast<short>(events));
    std::uint64_t timeout = 0;
    if (sd_bus_get_timeout(bus_.get(), &timeout) > 0 && timeout != UINT64_MAX) {
        // Both count on CLOCK_MONOTONIC.
        request.wake_by(PollRequest::Clock::time_point{std::chrono::microseconds{timeout}});
    }
}

void DbusBackend::dispatch_poll(std::span<const pollfd> own) {
    if (!connected_ || own.empty()) {
        return;
    }
    int processed = 0;
    while ((processed = sd_bus_process(bus_.get(), nullptr)) > 0) {
    }
    // The session bus went away: the tray goes on without an icon.
    connected_ = processed == 0;
}

std::expected<void, Error> DbusBackend::append(const MenuModel& menu, const MenuEntry&) {
    if (menu_ && menu_->shows(menu)) {
        menu_->layout_changed();
    }
    return {};
}

void DbusBackend::entry_changed(const MenuEntry& entry) {
    if (menu_) {
        menu_->entry_changed(entry);
    }
}

std::expected<void, Error> DbusBackend::show_icon(const TrayIconModel& icon) {
    if (shown_ != nullptr) {
        return std::unexpected{Error{"The tray shows one icon only"}};
    }
    auto menu = DbusMenu::export_menu(bus_.get(), icon.menu);
    if (!menu) {
        return std::unexpected{std::move(menu.error())};
    }
    auto item = StatusNotifierItem::export_item(bus_.get(), icon.icon, icon.tooltip);
    if (!item) {
        return std::unexpected{std::move(item.error())};
    }
    if (const int owned = sd_bus_request_name(bus_.get(), service_name_.c_str(), 0); owned < 0) {
        return std::unexpected{bus_error("Could not show the tray icon", owned)};
    }
    menu_ = std::move(*menu);
    item_ = std::move(*item);
    shown_ = &icon;
    register_with_watcher(bus_.get(), service_name_);
    return {};
}

std::expected<void, Error> DbusBackend::set_tooltip(const TrayIconModel& icon,
                                                    std::string_view tooltip) {
    if (&icon == shown_) {
        item_->set_tooltip(std::string{tooltip});
    }
    return {};
}

std::expected<void, Error> DbusBackend::set_image(const TrayIconModel& icon, const Icon& image) {
    if (&icon == shown_) {
        item_->set_image(image);
    }
    return {};
}

void DbusBackend::remove_icon(const TrayIconModel& icon) {
    if (&icon != shown_) {
        return;
    }
    item_.reset();
    menu_.reset();
    shown_ = nullptr;
    // Watchers drop an item when its name loses its owner.
    sd_bus_release_name_async(bus_.get(), nullptr, service_name_.c_str(), nullptr, nullptr);
}

int DbusBackend::on_watcher_owner(sd_bus_message* signal, void* self, sd_bus_error*) {
    auto& backend = *static_cast<DbusBackend*>(self);
    if (backend.shown_ != nullptr && watcher_appeared(signal)) {
        register_with_watcher(backend.bus_.get(), backend.service_name_);
    }
    return 0;
}

}  // namespace pellamy::desktop::native
