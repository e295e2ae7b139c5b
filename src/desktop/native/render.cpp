#include "desktop/native/render.hpp"

#include "desktop/native/tray_image.hpp"
#include "i18n/tr.hpp"

namespace pellamy::desktop::native {

StatusTriple StatusTriple::of(const StatusSnapshot& snapshot) {
    const auto& service = snapshot.service;
    return StatusTriple{.connected = snapshot.connected,
                        .set_up = service && service->initialized,
                        .unlocked = service && service->unlocked};
}

void render(TrayState& state, const StatusSnapshot& snapshot) {
    const auto triple = StatusTriple::of(snapshot);
    if (state.rendered == triple) {
        return;
    }
    const auto text = i18n::tr(state_text(status_state(snapshot.connected, snapshot.service)));
    state.menu.status.set_text(text);
    state.menu.start.set_enabled(!triple.connected && !state.daemon);
    if (state.icon) {
        // The menu stays right even when the icon refuses an update.
        static_cast<void>(state.icon->set_tooltip("Pellamy - " + text));
        if (auto image = make_icon()) {
            static_cast<void>(state.icon->set_icon(std::move(*image)));
        }
    }
    state.rendered = triple;
}

}  // namespace pellamy::desktop::native
