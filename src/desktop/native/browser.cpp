#include "desktop/native/browser.hpp"

#include <cstdlib>

#include "desktop/process.hpp"

namespace pellamy::desktop::native {
namespace {

std::string launcher() {
#if defined(__APPLE__)
    return "open";
#else
    const char* chosen = std::getenv("BROWSER");
    return chosen != nullptr && *chosen != '\0' ? chosen : "xdg-open";
#endif
}

Command browser_command(const std::string& url) {
    std::string program = launcher();
    std::vector<std::string> args{program, url};
    return Command{.program = std::move(program),
                   .args = std::move(args),
                   .input = Stdio::Null,
                   .output = Stdio::Null,
                   .error = Stdio::Null};
}

}  // namespace

std::expected<void, Error> open_in_browser(const std::string& url) {
    auto child = spawn(browser_command(url));
    if (!child) {
        return std::unexpected{Error{"Could not start the browser launcher", child.error()}};
    }
    const auto status = child->wait();
    if (!status) {
        return std::unexpected{Error{"Could not wait for the browser launcher", status.error()}};
    }
    if (!status->success()) {
        return std::unexpected{Error{"The browser launcher failed"}};
    }
    return {};
}

}  // namespace pellamy::desktop::native
