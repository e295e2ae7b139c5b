#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "desktop/native/dbus_bus.hpp"

namespace pellamy::testing {

// A minimal org.kde.StatusNotifierWatcher on its own connection and thread: it
// owns the name and records every item registered. Dropping it gives the name up.
class FakeWatcher {
public:
    explicit FakeWatcher(const std::string& address);
    FakeWatcher(const FakeWatcher&) = delete;
    FakeWatcher& operator=(const FakeWatcher&) = delete;
    ~FakeWatcher();

    // The services registered so far, once there are at least `count` or the
    // time is up.
    std::vector<std::string> registrations(std::size_t count,
                                           std::chrono::milliseconds limit = std::chrono::seconds{
                                               10});

private:
    static int register_item(sd_bus_message* call, void* self, sd_bus_error* error);
    void serve(const std::stop_token& stop);

    desktop::native::Bus bus_;
    desktop::native::BusSlot object_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> registered_;
    std::jthread thread_;
};

}  // namespace pellamy::testing
