#pragma once

#include "desktop/web/message.hpp"

namespace pellamy::desktop {
class Shared;
}

namespace pellamy::desktop::web {

// "/api/status": one snapshot of the monitored state as compact JSON.
Response status_response(const Shared& shared);

}  // namespace pellamy::desktop::web
