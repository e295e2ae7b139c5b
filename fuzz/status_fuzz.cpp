// The tool's output through the probe's reader, then the way the monitor
// stores a record and the dashboard hands it out: what "/api/status" writes
// must read back to the same record, with `connected` true exactly when
// `service` is an object, and the state shown must follow the record.
#include <cstdint>
#include <string_view>

#include "checks.hpp"
#include "desktop/probe.hpp"
#include "desktop/shared.hpp"
#include "desktop/web/status_api.hpp"

namespace {

using namespace pellamy::desktop;
using pellamy::fuzz::require;
using pellamy::fuzz::served_service;

StatusState expected_state(const DesktopStatus& status) {
    if (!status.initialized) {
        return StatusState::SetupRequired;
    }
    return status.unlocked ? StatusState::Unlocked : StatusState::Locked;
}

// The snapshot as the dashboard writes it, read back as a browser would.
void check_served(const Shared& shared, const DesktopStatus& status) {
    const auto response = web::status_response(shared);
    require(response.result() == web::http::status::ok);
    const auto service = served_service(response.body().view());
    require(service.is_object());
    const auto again = read_status(service);
    require(again && *again == status);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto shared = Shared::create();
    const std::string_view output(reinterpret_cast<const char*>(data), size);
    const auto status = parse_probe_output(output);
    if (!status) {
        require(!status.error().empty());
        return 0;
    }
    shared->replace(StatusSnapshot::probed(*status, 0));
    check_served(*shared, *status);

    const StatusSnapshot snapshot = shared->snapshot();
    require(snapshot.connected && snapshot.service == *status);
    require(status_state(snapshot.connected, snapshot.service) == expected_state(*status));
    require(status_state(false, snapshot.service) == StatusState::Offline);
    return 0;
}
