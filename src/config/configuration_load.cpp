#include "config/config_file.hpp"
#include "config/configuration.hpp"
#include "config/default_paths.hpp"
#include "config/environment.hpp"
#include "config/lexical_path.hpp"
#include "config/relay.hpp"
#include "config/resolve_path.hpp"
#include "config/toml_settings.hpp"

namespace pellamy::config {
namespace {

struct ChosenFile {
    std::filesystem::path path;
    bool required;
};

std::expected<ChosenFile, Error> choose_file(const std::optional<std::filesystem::path>& config) {
    if (config) {
        return ChosenFile{*config, true};
    }
    if (auto variable = environment_variable("PELLAMY_CONFIG")) {
        return ChosenFile{std::move(*variable), true};
    }
    auto path = default_path();
    if (!path) {
        return std::unexpected{path.error()};
    }
    return ChosenFile{std::move(*path), false};
}

// The content checks, in the order whose first failure the user sees.
std::expected<void, Error> check_and_resolve(Settings& settings,
                                             const std::filesystem::path& path) {
    if (settings.storage_dir) {
        if (settings.storage_dir->empty()) {
            return std::unexpected{Error{"storage_dir must not be empty"}};
        }
        auto resolved = resolve_path(*settings.storage_dir, path);
        if (!resolved) {
            return std::unexpected{resolved.error()};
        }
        settings.storage_dir = std::move(*resolved);
    }
    if (settings.relay_url) {
        if (const auto relay = validate_relay(*settings.relay_url); !relay) {
            return std::unexpected{Error{std::string{relay.error()}}};
        }
    }
    if (const auto rag = settings.rag.validate(); !rag) {
        return std::unexpected{Error::from(rag.error())};
    }
    if (const auto centers = core::validate_all(settings.centers); !centers) {
        return std::unexpected{
            Error{"Invalid centers configuration: " + centers.error().display()}};
    }
    if (settings.rag.local_model_dir) {
        auto resolved = resolve_path(*settings.rag.local_model_dir, path);
        if (!resolved) {
            return std::unexpected{resolved.error()};
        }
        settings.rag.local_model_dir = std::move(*resolved);
    }
    return {};
}

}  // namespace

std::expected<Configuration, Error> Configuration::load(
    const std::optional<std::filesystem::path>& config) {
    const auto chosen = choose_file(config);
    if (!chosen) {
        return std::unexpected{chosen.error()};
    }
    auto path = absolute_lexical(chosen->path);
    if (!path) {
        return std::unexpected{path.error()};
    }
    const auto text = read_config_file(*path, chosen->required);
    if (!text) {
        return std::unexpected{text.error()};
    }
    if (!*text) {
        return Configuration{Settings{}, std::move(*path), false};
    }
    auto settings = parse_settings(**text);
    if (!settings) {
        return std::unexpected{settings.error()};
    }
    if (auto checked = check_and_resolve(*settings, *path); !checked) {
        return std::unexpected{checked.error()};
    }
    return Configuration{std::move(*settings), std::move(*path), true};
}

}  // namespace pellamy::config
