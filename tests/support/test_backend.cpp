#include "support/test_backend.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "desktop/native/menu_event.hpp"

namespace pellamy::testing {
namespace {

using desktop::native::Error;
using desktop::native::IconStyle;

const char* style_name(IconStyle style) {
    return style == IconStyle::Template ? "template" : "colour";
}

}  // namespace

void TestBackend::fail(Operation operation, bool failing) {
    if (failing) {
        failing_.insert(operation);
    } else {
        failing_.erase(operation);
    }
}

bool TestBackend::click(std::string_view id) {
    if (shown_ == nullptr) {
        return false;
    }
    const auto& entries = shown_->menu->entries;
    const bool clickable = std::ranges::any_of(entries, [id](const auto& entry) {
        return entry->id == id && !entry->separator && entry->enabled;
    });
    if (clickable) {
        desktop::native::emit_menu_event({std::string{id}});
    }
    return clickable;
}

bool TestBackend::click_text(std::string_view text) {
    if (shown_ == nullptr) {
        return false;
    }
    const auto& entries = shown_->menu->entries;
    const auto found =
        std::ranges::find_if(entries, [text](const auto& entry) { return entry->text == text; });
    return found != entries.end() && click((*found)->id);
}

void TestBackend::then(std::function<void()> step) {
    steps_.push_back(std::move(step));
}

void TestBackend::prepare_poll(desktop::native::PollRequest& request) {
    if (steps_.empty()) {
        return;
    }
    auto step = std::move(steps_.front());
    steps_.pop_front();
    step();
    if (!steps_.empty()) {
        // The next step comes in the next round, without waiting for the deadline.
        request.wake_by(desktop::native::PollRequest::Clock::now());
    }
}

std::expected<void, Error> TestBackend::record(Operation operation, std::string call) {
    calls_.push_back(std::move(call));
    if (failing_.contains(operation)) {
        return std::unexpected{Error{fmt::format("Test backend refused: {}", calls_.back())}};
    }
    return {};
}

std::expected<void, Error> TestBackend::append(const desktop::native::MenuModel& menu,
                                               const desktop::native::MenuEntry& entry) {
    return record(Operation::Append, fmt::format("append {} {}", menu.id, entry.id));
}

void TestBackend::entry_changed(const desktop::native::MenuEntry& entry) {
    calls_.push_back(fmt::format("change {} \"{}\" {}", entry.id, entry.text,
                                 entry.enabled ? "enabled" : "disabled"));
}

std::expected<void, Error> TestBackend::show_icon(const desktop::native::TrayIconModel& icon) {
    auto shown =
        record(Operation::ShowIcon, fmt::format("show {} \"{}\" {}", icon.menu->id, icon.tooltip,
                                                style_name(icon.icon.style())));
    if (shown) {
        shown_ = &icon;
    }
    return shown;
}

std::expected<void, Error> TestBackend::set_tooltip(const desktop::native::TrayIconModel&,
                                                    std::string_view tooltip) {
    return record(Operation::SetTooltip, fmt::format("tooltip \"{}\"", tooltip));
}

std::expected<void, Error> TestBackend::set_image(const desktop::native::TrayIconModel&,
                                                  const desktop::native::Icon& image) {
    return record(Operation::SetImage, fmt::format("image {}", style_name(image.style())));
}

void TestBackend::remove_icon(const desktop::native::TrayIconModel& icon) {
    calls_.emplace_back("remove");
    if (shown_ == &icon) {
        shown_ = nullptr;
    }
}

}  // namespace pellamy::testing
