// The tool's output through the probe's reader, then the way the monitor
// stores a record and the dashboard hands it out: what "/api/status" writes
// must read back to the same record, with `connected` true exactly when
// `service` is an object, and the state shown must follow the record.
#include <boost/json/parse.hpp>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "desktop/probe.hpp"
#include "desktop/shared.hpp"
#include "desktop/web/status_api.hpp"

namespace {

namespace json = boost::json;
using namespace pellamy::desktop;

void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

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
    boost::system::error_code error;
    const json::value document = json::parse(response.body().view(), error);
    require(!error && document.is_object());
    const json::object& object = document.get_object();
    const json::value* connected = object.if_contains("connected");
    const json::value* service = object.if_contains("service");
    require(connected != nullptr && service != nullptr);
    require(connected->is_bool() && connected->get_bool() == service->is_object());
    require(service->is_object());
    const auto again = read_status(*service);
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
