// Bytes as config.toml through everything start-up does with the file: load
// with its checks, then the home directory and the dashboard settings. A file
// that loads must load again to the same configuration, with its paths
// absolute and its content passing every check a second time.
#include <stdlib.h>

#include <cstdint>
#include <string_view>

#include "checks.hpp"
#include "config/configuration.hpp"
#include "config/relay.hpp"
#include "core/center_config.hpp"
#include "support/temp_dir.hpp"

namespace {

using pellamy::config::Configuration;
namespace fs = std::filesystem;
using pellamy::fuzz::require;

bool absolute_if_given(const std::optional<fs::path>& path) {
    return !path || path->is_absolute();
}

void check_loaded(const Configuration& configuration, const fs::path& file) {
    const auto& settings = configuration.settings;
    require(configuration.from_file && configuration.path == file);
    require(absolute_if_given(settings.storage_dir));
    require(absolute_if_given(settings.rag.local_model_dir));
    require(!settings.relay_url || pellamy::config::validate_relay(*settings.relay_url));
    require(settings.rag.validate().has_value());
    require(pellamy::core::validate_all(settings.centers).has_value());

    const auto home = configuration.home(std::nullopt);
    require(!settings.storage_dir || (home && *home == *settings.storage_dir));
    const auto desktop = configuration.desktop(std::nullopt, std::nullopt);
    require(desktop && *desktop == settings.desktop);

    const auto again = Configuration::load(file);
    require(again && *again == configuration);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Only the file decides; the overrides of the environment stay out.
    for (const char* name :
         {"PELLAMY_CONFIG", "PELLAMY_HOME", "PELLAMY_WEBUI_PORT", "PELLAMY_OPEN_BROWSER"}) {
        ::unsetenv(name);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const pellamy::testing::TempDir directory;
    const fs::path file = directory.path() / "config.toml";
    pellamy::testing::write_file(file, {reinterpret_cast<const char*>(data), size});
    const auto configuration = Configuration::load(file);
    if (!configuration) {
        require(!configuration.error().message.empty());
        return 0;
    }
    check_loaded(*configuration, file);
    return 0;
}
