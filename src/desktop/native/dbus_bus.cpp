#include "desktop/native/dbus_bus.hpp"

#include <chrono>

namespace pellamy::desktop::native {
namespace {

// The few blocking calls (at start and when the icon appears) go to the bus
// daemon on this machine; past this it is as good as absent.
constexpr std::chrono::microseconds call_timeout = std::chrono::seconds{2};

std::expected<Bus, Error> started(sd_bus* raw, int opened) {
    Bus bus{raw};
    if (opened < 0) {
        return std::unexpected{bus_error("Could not connect to the session bus", opened)};
    }
    sd_bus_set_method_call_timeout(bus.get(), static_cast<std::uint64_t>(call_timeout.count()));
    return bus;
}

}  // namespace

Error bus_error(std::string message, int negative_errno) {
    return Error{std::move(message), std::error_code{-negative_errno, std::system_category()}};
}

std::expected<Bus, Error> open_session_bus() {
    sd_bus* bus = nullptr;
    const int opened = sd_bus_open_user(&bus);
    return started(bus, opened);
}

std::expected<Bus, Error> open_bus(std::string_view address) {
    sd_bus* bus = nullptr;
    int opened = sd_bus_new(&bus);
    if (opened >= 0) {
        opened = sd_bus_set_address(bus, std::string{address}.c_str());
    }
    if (opened >= 0) {
        // A bare address is a peer connection unless told it is a bus.
        opened = sd_bus_set_bus_client(bus, 1);
    }
    if (opened >= 0) {
        opened = sd_bus_start(bus);
    }
    return started(bus, opened);
}

}  // namespace pellamy::desktop::native
