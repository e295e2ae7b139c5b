#include "support/private_bus.hpp"

#include <unistd.h>

#include <stdexcept>

namespace pellamy::testing {
namespace {

// Anyone may own any name and talk to anyone: the test is the only user.
constexpr const char* config = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=@DIR@/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

}  // namespace

PrivateBus::PrivateBus() {
    std::string text = config;
    text.replace(text.find("@DIR@"), 5, dir_.path().string());
    const auto config_file = dir_.write("session.conf", text);

    auto daemon = desktop::spawn({.program = "dbus-daemon",
                                  .args = {"dbus-daemon", "--config-file=" + config_file.string(),
                                           "--nofork", "--print-address"},
                                  .input = desktop::Stdio::Null,
                                  .output = desktop::Stdio::Pipe,
                                  .error = desktop::Stdio::Null});
    if (!daemon) {
        throw std::runtime_error{"could not start dbus-daemon: " + daemon.error().message()};
    }
    daemon_.emplace(std::move(*daemon));
    // The address is printed once the socket listens.
    char c = 0;
    while (::read(daemon_->output().get(), &c, 1) == 1 && c != '\n') {
        address_ += c;
    }
    if (address_.empty()) {
        throw std::runtime_error{"dbus-daemon printed no address"};
    }
}

}  // namespace pellamy::testing
