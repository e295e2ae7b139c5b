#include "desktop/tray.hpp"

#include "desktop/dashboard.hpp"
#include "desktop/native/run.hpp"

namespace pellamy::desktop {

std::expected<void, std::string> tray(const std::filesystem::path& home, const DesktopArgs& args,
                                      const config::Configuration& configuration) {
    const auto settings = configuration.desktop(args.port, args.browser_override());
    if (!settings) {
        return std::unexpected{settings.error().message};
    }
    auto dashboard = Dashboard::start(settings->port, home, configuration);
    if (!dashboard) {
        return std::unexpected{std::move(dashboard.error())};
    }
    auto ran = native::run(std::move(*dashboard), settings->open_browser);
    if (!ran) {
        return std::unexpected{ran.error().message()};
    }
    return {};
}

}  // namespace pellamy::desktop
