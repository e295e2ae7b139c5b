#include "command_line.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

#include "config/port_number.hpp"

namespace pellamy {
namespace {

constexpr int usage_error_status = 2;

const CLI::Validator non_empty{[](const std::string& value) {
                                   return value.empty() ? std::string{"value must not be empty"}
                                                        : std::string{};
                               },
                               ""};

const CLI::Validator port_number{
    [](const std::string& value) {
        return config::parse_port(value) ? std::string{}
                                         : std::string{"value must be an integer from 0 to 65535"};
    },
    ""};

std::string program_name(int argc, const char* const* argv) {
    if (argc < 1 || argv[0] == nullptr) {
        return "pellamy-tray";
    }
    return std::filesystem::path{argv[0]}.filename().string();
}

bool ends_with_success(const CLI::ParseError& error) {
    return dynamic_cast<const CLI::CallForHelp*>(&error) != nullptr ||
           dynamic_cast<const CLI::CallForAllHelp*>(&error) != nullptr ||
           dynamic_cast<const CLI::CallForVersion*>(&error) != nullptr;
}

std::optional<std::string> value_of(const CLI::Option* option, const std::string& value) {
    return option->count() > 0 ? std::optional{value} : std::nullopt;
}

}  // namespace

std::optional<bool> DesktopArgs::browser_override() const {
    if (open) {
        return true;
    }
    if (no_open) {
        return false;
    }
    return std::nullopt;
}

std::expected<Args, ParseExit> parse_command_line(int argc, const char* const* argv) {
    CLI::App app{"Pellamy desktop status tray", program_name(argc, argv)};
    app.set_version_flag("-V,--version", "pellamy 0.1.3");

    std::string lang;
    std::string home;
    std::string config;
    std::string port;
    DesktopArgs desktop;

    const auto once = CLI::MultiOptionPolicy::Throw;
    auto* lang_option = app.add_option("--lang", lang)
                            ->type_name("LANG")
                            ->check(CLI::IsMember({"en", "zh", "ja", "de", "fr"}))
                            ->multi_option_policy(once);
    auto* home_option = app.add_option("--home", home)
                            ->type_name("HOME")
                            ->envname("PELLAMY_HOME")
                            ->check(non_empty)
                            ->multi_option_policy(once);
    auto* config_option = app.add_option("--config", config)
                              ->type_name("CONFIG")
                              ->envname("PELLAMY_CONFIG")
                              ->check(non_empty)
                              ->multi_option_policy(once);
    auto* port_option =
        app.add_option("--port", port, "Local dashboard port; zero selects an available port.")
            ->type_name("PORT")
            ->check(port_number)
            ->multi_option_policy(once);
    auto* no_open_option =
        app.add_flag("--no-open", desktop.no_open, "Start without opening a browser window.")
            ->multi_option_policy(once);
    app.add_flag("--open", desktop.open,
                 "Open a browser window even when configuration disables it.")
        ->multi_option_policy(once)
        ->excludes(no_open_option);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        app.exit(error, std::cout, std::cerr);
        return std::unexpected{ParseExit{ends_with_success(error) ? 0 : usage_error_status}};
    }

    Args args;
    args.lang = value_of(lang_option, lang);
    args.home = value_of(home_option, home);
    args.config = value_of(config_option, config);
    if (port_option->count() > 0) {
        desktop.port = config::parse_port(port);
    }
    args.desktop = desktop;
    return args;
}

}  // namespace pellamy
