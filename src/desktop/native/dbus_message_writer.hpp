#pragma once

#include <systemd/sd-bus.h>

#include <cstdint>
#include <span>

namespace pellamy::desktop::native {

// Appends to a message and keeps the first failure, so a long reply is built
// without a check after every step.
class MessageWriter {
public:
    explicit MessageWriter(sd_bus_message* message) : message_(message) {}

    template <typename... Args>
    MessageWriter& append(const char* types, Args... args) {
        if (status_ >= 0) {
            status_ = sd_bus_message_append(message_, types, args...);
        }
        return *this;
    }
    MessageWriter& bytes(std::span<const std::uint8_t> data) {
        if (status_ >= 0) {
            status_ = sd_bus_message_append_array(message_, 'y', data.data(), data.size());
        }
        return *this;
    }
    MessageWriter& open(char type, const char* contents) {
        if (status_ >= 0) {
            status_ = sd_bus_message_open_container(message_, type, contents);
        }
        return *this;
    }
    MessageWriter& close() {
        if (status_ >= 0) {
            status_ = sd_bus_message_close_container(message_);
        }
        return *this;
    }

    // Negative errno of the first failure, or not negative.
    int status() const { return status_; }

private:
    sd_bus_message* message_;
    int status_ = 0;
};

}  // namespace pellamy::desktop::native
