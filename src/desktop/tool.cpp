#include "desktop/tool.hpp"

#include <sys/auxv.h>

namespace pellamy::desktop {

namespace fs = std::filesystem;

std::expected<fs::path, std::string> running_executable() {
    // The path given to exec, as started; /proc/self/exe would resolve links.
    std::error_code error;
    if (const auto* started = reinterpret_cast<const char*>(::getauxval(AT_EXECFN))) {
        fs::path absolute = fs::absolute(started, error);
        if (!error) {
            return absolute;
        }
    }
    fs::path resolved = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::unexpected(error.message());
    }
    return resolved;
}

std::expected<fs::path, std::string> tool_for(const fs::path& executable) {
    if (executable.filename().stem() != "pellamy-tray") {
        return executable;
    }
    fs::path beside = executable;
    beside.replace_filename("pellamy");
    std::error_code error;
    if (!fs::is_regular_file(fs::status(beside, error)) || error) {
        return std::unexpected("Keep the Pellamy CLI beside the tray executable");
    }
    return beside;
}

std::expected<fs::path, std::string> locate_tool() {
    const auto executable = running_executable();
    if (!executable) {
        return executable;
    }
    return tool_for(*executable);
}

Command tool_command(const fs::path& tool, const fs::path& home,
                     const std::optional<fs::path>& config_file, std::string_view subcommand) {
    Command command{.program = tool.native(), .args = {tool.native()}};
    if (config_file) {
        command.args.insert(command.args.end(), {"--config", config_file->native()});
    }
    command.args.insert(command.args.end(), {"--home", home.native(), std::string{subcommand}});
    command.input = Stdio::Null;
    command.error = Stdio::Null;
    return command;
}

}  // namespace pellamy::desktop
