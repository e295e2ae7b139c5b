#include "desktop/native/menu.hpp"

#include <atomic>

namespace pellamy::desktop::native {
namespace {

// "1", "2", and so on for menus and entries alike, never reused.
std::string next_menu_id() {
    static std::atomic<unsigned long long> last{0};
    return std::to_string(++last);
}

}  // namespace

MenuItem MenuItem::create(const EventLoop& loop, std::string text, bool enabled) {
    return MenuItem{loop.backend(),
                    std::make_shared<MenuEntry>(next_menu_id(), false, std::move(text), enabled)};
}

void MenuItem::set_text(std::string text) {
    entry_->text = std::move(text);
    backend_->entry_changed(*entry_);
}

void MenuItem::set_enabled(bool enabled) {
    entry_->enabled = enabled;
    backend_->entry_changed(*entry_);
}

Menu Menu::create(const EventLoop& loop) {
    return Menu{loop.backend(), std::make_shared<MenuModel>(next_menu_id())};
}

std::expected<void, Error> Menu::append(const MenuItem& item) {
    return append_entry(item.entry_);
}

std::expected<void, Error> Menu::append_separator() {
    return append_entry(std::make_shared<const MenuEntry>(next_menu_id(), true));
}

std::expected<void, Error> Menu::append_entry(std::shared_ptr<const MenuEntry> entry) {
    if (auto appended = backend_->append(*model_, *entry); !appended) {
        return appended;
    }
    model_->entries.push_back(std::move(entry));
    return {};
}

}  // namespace pellamy::desktop::native
