#pragma once

#include <expected>
#include <memory>
#include <string>

#include "desktop/native/backend.hpp"
#include "desktop/native/error.hpp"
#include "desktop/native/event_loop.hpp"
#include "desktop/native/menu_model.hpp"

namespace pellamy::desktop::native {

// A clickable menu entry. Copies are handles to the same item, so the caller
// can keep one and still change the text the menu shows.
class MenuItem {
public:
    static MenuItem create(const EventLoop& loop, std::string text, bool enabled);

    const std::string& id() const { return entry_->id; }
    const std::string& text() const { return entry_->text; }
    bool enabled() const { return entry_->enabled; }

    void set_text(std::string text);
    void set_enabled(bool enabled);

private:
    friend class Menu;
    MenuItem(std::shared_ptr<Backend> backend, std::shared_ptr<MenuEntry> entry)
        : backend_(std::move(backend)), entry_(std::move(entry)) {}

    std::shared_ptr<Backend> backend_;
    std::shared_ptr<MenuEntry> entry_;
};

class Menu {
public:
    static Menu create(const EventLoop& loop);

    // The backend may refuse; the menu is then unchanged.
    std::expected<void, Error> append(const MenuItem& item);
    std::expected<void, Error> append_separator();

    std::shared_ptr<const MenuModel> model() const { return model_; }

private:
    Menu(std::shared_ptr<Backend> backend, std::shared_ptr<MenuModel> model)
        : backend_(std::move(backend)), model_(std::move(model)) {}
    std::expected<void, Error> append_entry(std::shared_ptr<const MenuEntry> entry);

    std::shared_ptr<Backend> backend_;
    std::shared_ptr<MenuModel> model_;
};

}  // namespace pellamy::desktop::native
