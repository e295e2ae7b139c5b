#include "support/fake_watcher.hpp"

#include <stdexcept>

namespace pellamy::testing {

using desktop::native::open_bus;

FakeWatcher::FakeWatcher(const std::string& address) {
    static constexpr sd_bus_vtable vtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", register_item,
                      SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END};
    auto bus = open_bus(address);
    if (!bus) {
        throw std::runtime_error{bus.error().message()};
    }
    bus_ = std::move(*bus);
    sd_bus_slot* slot = nullptr;
    if (sd_bus_add_object_vtable(bus_.get(), &slot, "/StatusNotifierWatcher",
                                 "org.kde.StatusNotifierWatcher", vtable, this) < 0 ||
        sd_bus_request_name(bus_.get(), "org.kde.StatusNotifierWatcher", 0) < 0) {
        throw std::runtime_error{"could not start the watcher"};
    }
    object_.reset(slot);
    thread_ = std::jthread{[this](const std::stop_token& stop) { serve(stop); }};
}

FakeWatcher::~FakeWatcher() {
    thread_.request_stop();
    thread_.join();
}

std::vector<std::string> FakeWatcher::registrations(std::size_t count,
                                                    std::chrono::milliseconds limit) {
    std::unique_lock lock{mutex_};
    changed_.wait_for(lock, limit, [&] { return registered_.size() >= count; });
    return registered_;
}

int FakeWatcher::register_item(sd_bus_message* call, void* self, sd_bus_error*) {
    const char* service = nullptr;
    if (const int read = sd_bus_message_read(call, "s", &service); read < 0) {
        return read;
    }
    auto& watcher = *static_cast<FakeWatcher*>(self);
    {
        const std::scoped_lock lock{watcher.mutex_};
        watcher.registered_.emplace_back(service);
    }
    watcher.changed_.notify_all();
    return sd_bus_reply_method_return(call, "");
}

void FakeWatcher::serve(const std::stop_token& stop) {
    while (!stop.stop_requested()) {
        while (sd_bus_process(bus_.get(), nullptr) > 0) {
        }
        sd_bus_wait(bus_.get(), 20'000);
    }
}

}  // namespace pellamy::testing
