#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/native/backend.hpp"

namespace pellamy::testing {

// A tray backend for tests: records every call as one line of text, refuses
// chosen operations on demand and clicks menu items as a user would.
//
// The lines: "append MENU ENTRY", "change ENTRY \"TEXT\" enabled|disabled",
// "show MENU \"TOOLTIP\" template|colour", "tooltip \"TEXT\"",
// "image template|colour", "remove". Refused calls are recorded too.
class TestBackend final : public desktop::native::Backend {
public:
    enum class Operation { Append, ShowIcon, SetTooltip, SetImage };

    void fail(Operation operation, bool failing = true);

    const std::vector<std::string>& calls() const { return calls_; }
    // The icon currently shown, or null.
    const desktop::native::TrayIconModel* icon() const { return shown_; }

    // Activates the item the way a click does: only an enabled item of the
    // shown icon's menu. Returns whether the menu event was emitted.
    bool click(std::string_view id);
    // Clicks the shown menu's item with this text.
    bool click_text(std::string_view text);

    // Queues a step to run in a later round of the event loop, just before it
    // sleeps, as a user acting between events would: one step a round, in order.
    void then(std::function<void()> step);

    void prepare_poll(desktop::native::PollRequest& request) override;

    std::expected<void, desktop::native::Error> append(
        const desktop::native::MenuModel& menu, const desktop::native::MenuEntry& entry) override;
    void entry_changed(const desktop::native::MenuEntry& entry) override;
    std::expected<void, desktop::native::Error> show_icon(
        const desktop::native::TrayIconModel& icon) override;
    std::expected<void, desktop::native::Error> set_tooltip(
        const desktop::native::TrayIconModel& icon, std::string_view tooltip) override;
    std::expected<void, desktop::native::Error> set_image(
        const desktop::native::TrayIconModel& icon, const desktop::native::Icon& image) override;
    void remove_icon(const desktop::native::TrayIconModel& icon) override;

private:
    std::expected<void, desktop::native::Error> record(Operation operation, std::string call);

    std::set<Operation> failing_;
    std::deque<std::function<void()>> steps_;
    std::vector<std::string> calls_;
    const desktop::native::TrayIconModel* shown_ = nullptr;
};

}  // namespace pellamy::testing
