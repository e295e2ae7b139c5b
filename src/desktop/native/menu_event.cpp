#include "desktop/native/menu_event.hpp"

#include <memory>
#include <mutex>

namespace pellamy::desktop::native {
namespace {

std::mutex callback_mutex;
std::shared_ptr<const MenuEventCallback> current_callback;

void replace_callback(std::shared_ptr<const MenuEventCallback> callback) {
    const std::scoped_lock lock{callback_mutex};
    current_callback.swap(callback);
}

}  // namespace

void set_menu_event_callback(MenuEventCallback callback) {
    replace_callback(std::make_shared<const MenuEventCallback>(std::move(callback)));
}

void clear_menu_event_callback() {
    replace_callback(nullptr);
}

void emit_menu_event(const MenuEvent& event) {
    std::shared_ptr<const MenuEventCallback> callback;
    {
        const std::scoped_lock lock{callback_mutex};
        callback = current_callback;
    }
    // Called unlocked, so the callback may replace or clear itself.
    if (callback && *callback) {
        (*callback)(event);
    }
}

}  // namespace pellamy::desktop::native
