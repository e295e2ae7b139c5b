#pragma once

#include <expected>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/process.hpp"

namespace pellamy::desktop {

// The path by which the running executable was started, made absolute,
// symbolic links left as they are.
std::expected<std::filesystem::path, std::string> running_executable();

// The command-line tool for an executable at `executable`: the regular file
// "pellamy" beside a "pellamy-tray", or else the executable itself.
std::expected<std::filesystem::path, std::string> tool_for(const std::filesystem::path& executable);

// tool_for(running_executable()).
std::expected<std::filesystem::path, std::string> locate_tool();

// `tool` [--config FILE] --home DIR SUBCOMMAND, standard input and error on
// the null device; standard output is left for the caller to choose.
Command tool_command(const std::filesystem::path& tool, const std::filesystem::path& home,
                     const std::optional<std::filesystem::path>& config_file,
                     std::string_view subcommand);

}  // namespace pellamy::desktop
