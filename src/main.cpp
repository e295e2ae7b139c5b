#include <fmt/format.h>
#include <malloc.h>

#include <cstdio>

#include "command_line.hpp"
#include "config/configuration.hpp"
#include "config/data_home.hpp"
#include "desktop/native/signals.hpp"
#include "desktop/tray.hpp"
#include "i18n/initialize.hpp"

namespace {

// Configuration, home directory, then the tray until the user quits.
std::expected<void, std::string> start(const pellamy::Args& args) {
    using pellamy::config::Configuration;
    const auto configuration = Configuration::load(args.config);
    if (!configuration) {
        return std::unexpected{configuration.error().message};
    }
    const auto chosen = configuration->home(args.home);
    if (!chosen) {
        return std::unexpected{chosen.error().message};
    }
    const auto data_home = pellamy::config::data_home(*chosen);
    if (!data_home) {
        return std::unexpected{data_home.error().message};
    }
    return pellamy::desktop::tray(*data_home, args.desktop, *configuration);
}

}  // namespace

int main(int argc, char** argv) {
    // A fixed threshold: glibc would otherwise raise it after the first runaway
    // probe output and keep that much memory resident for the rest of the day.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // Before any thread starts, so every thread inherits the mask and the
    // event loop alone receives these signals.
    pellamy::desktop::native::block_termination_signals();
    pellamy::i18n::initialize(argc, argv);
    const auto args = pellamy::parse_command_line(argc, argv);
    if (!args) {
        return args.error().status;
    }
    if (const auto started = start(*args); !started) {
        fmt::print(stderr, "Pellamy tray: {}\n", started.error());
        return 1;
    }
    return 0;
}
