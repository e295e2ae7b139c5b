#pragma once

#include <systemd/sd-bus.h>

#include <expected>
#include <memory>
#include <string>
#include <string_view>

#include "desktop/native/error.hpp"

namespace pellamy::desktop::native {

struct BusCloser {
    // Flushes first, so a name release queued last still reaches the bus.
    void operator()(sd_bus* bus) const noexcept { sd_bus_flush_close_unref(bus); }
};
struct BusSlotUnref {
    void operator()(sd_bus_slot* slot) const noexcept { sd_bus_slot_unref(slot); }
};
struct BusMessageUnref {
    void operator()(sd_bus_message* message) const noexcept { sd_bus_message_unref(message); }
};

using Bus = std::unique_ptr<sd_bus, BusCloser>;
using BusSlot = std::unique_ptr<sd_bus_slot, BusSlotUnref>;
using BusMessage = std::unique_ptr<sd_bus_message, BusMessageUnref>;

// An error reply or failure of one call, freed when it goes.
class BusError {
public:
    BusError() = default;
    BusError(const BusError&) = delete;
    BusError& operator=(const BusError&) = delete;
    ~BusError() { sd_bus_error_free(&error_); }

    sd_bus_error* get() { return &error_; }

private:
    sd_bus_error error_{};
};

// The message with sd-bus's negative errno value as its cause.
Error bus_error(std::string message, int negative_errno);

// The user's session bus, from DBUS_SESSION_BUS_ADDRESS or the runtime directory.
std::expected<Bus, Error> open_session_bus();

// A bus at an address such as "unix:path=/run/bus" (used by tests and tools).
std::expected<Bus, Error> open_bus(std::string_view address);

}  // namespace pellamy::desktop::native
