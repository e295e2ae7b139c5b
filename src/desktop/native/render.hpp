#pragma once

#include "desktop/native/tray_state.hpp"
#include "desktop/shared.hpp"

namespace pellamy::desktop::native {

// Brings the status line, the start item, the tooltip and the image up to the
// snapshot, but only when its triple differs from the one last shown: a text
// an action put on the status line stays until the status really changes.
void render(TrayState& state, const StatusSnapshot& snapshot);

}  // namespace pellamy::desktop::native
