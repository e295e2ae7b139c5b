#include "desktop/native/actions.hpp"

#include "desktop/native/browser.hpp"
#include "desktop/tool.hpp"
#include "i18n/tr.hpp"

namespace pellamy::desktop::native {

void start_daemon(TrayState& state, const ToolPaths& paths) {
    if (state.daemon) {
        return;
    }
    auto command = tool_command(paths.tool, paths.home, paths.config_file, "daemon");
    command.output = Stdio::Null;
    auto child = spawn(command);
    if (!child) {
        state.menu.status.set_text(i18n::tr("Could not start daemon"));
        return;
    }
    state.daemon.emplace(std::move(*child));
    // The status line waits for the monitor to see the daemon answer.
    state.menu.start.set_enabled(false);
}

void check_daemon(TrayState& state) {
    if (state.daemon && state.daemon->has_ended()) {
        state.daemon.reset();
        state.rendered.reset();
    }
}

void open_dashboard(TrayState& state, const std::string& url) {
    if (!open_in_browser(url)) {
        state.menu.status.set_text(i18n::tr("Could not open browser; try Open status dashboard"));
    }
}

}  // namespace pellamy::desktop::native
