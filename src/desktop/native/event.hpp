#pragma once

#include <string>
#include <variant>

namespace pellamy::desktop::native {

// Delivered once, first, when the loop starts running.
struct StartEvent {
    bool operator==(const StartEvent&) const = default;
};

// The activation of a menu item, named by the item's identifier.
struct MenuEvent {
    std::string id;
    bool operator==(const MenuEvent&) const = default;
};

// The instant the handler asked to wait until has come without other events.
struct WakeUp {
    bool operator==(const WakeUp&) const = default;
};

using Event = std::variant<StartEvent, MenuEvent, WakeUp>;

}  // namespace pellamy::desktop::native
