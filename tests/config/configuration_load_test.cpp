#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "config/configuration.hpp"
#include "support/case_name.hpp"
#include "support/scoped_env.hpp"
#include "support/temp_dir.hpp"

namespace pellamy::config {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::TempDir;

const std::string key(43, 'A');
const std::string invalid = "Invalid configuration; check TOML syntax, field names and types";

std::string center(const std::string& id, const std::string& url = "https://c.example") {
    return "[[centers]]\nid = \"" + id + "\"\nurl = \"" + url + "\"\npublic_key = \"" + key +
           "\"\n";
}

// A comment line that pads a document to exactly `size` bytes.
std::string padded(std::string document, std::size_t size) {
    document += "#";
    document += std::string(size - document.size() - 1, 'x');
    document += "\n";
    return document;
}

// Keeps the test away from the real user's files: HOME, XDG and the
// program's own variables all point into a temporary directory or are unset.
class ConfigurationLoad : public ::testing::Test {
protected:
    TempDir temp;
    ScopedEnv home{"HOME", (temp.path() / "user").string()};
    ScopedEnv xdg_config{"XDG_CONFIG_HOME", (temp.path() / "xdg").string()};
    ScopedEnv config_variable{"PELLAMY_CONFIG", std::nullopt};

    // Writes a file below the temporary directory, creating its parents.
    fs::path write(const fs::path& relative, std::string_view text) const {
        const fs::path file = temp.path() / relative;
        fs::create_directories(file.parent_path());
        testing::write_file(file, text);
        return file;
    }

    std::expected<Configuration, Error> load_document(std::string_view document) {
        return Configuration::load(write("etc/config.toml", document));
    }
};

struct FailureCase {
    std::string name;
    std::string document;
    std::string message;
};

class ConfigurationLoadFailure : public ConfigurationLoad,
                                 public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConfigurationLoadFailure, ReportsTheFirstFailingStep) {
    const FailureCase& c = GetParam();
    const auto loaded = load_document(c.document);
    ASSERT_FALSE(loaded.has_value());
    EXPECT_EQ(loaded.error().message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigurationLoadFailure,
    ::testing::Values(
        FailureCase{"not_utf8", "storage_dir = \"\xFF\"\n", "Configuration must be UTF-8 text"},
        FailureCase{"over_limit", padded("", 65537), "Configuration exceeds 64 KiB"},
        FailureCase{"over_limit_splitting_a_character", padded("", 65536) + "\xC3\xA9",
                    "Configuration must be UTF-8 text"},
        FailureCase{"unknown_key", "[desktop]\ncolour = 1\n", invalid},
        FailureCase{"port_out_of_range", "[desktop]\nport = 70000\n", invalid},
        FailureCase{"empty_storage_dir_before_relay",
                    "storage_dir = \"\"\nrelay_url = \"http://r\"\n",
                    "storage_dir must not be empty"},
        FailureCase{"relay", "relay_url = \"ws://example.com\"\n",
                    "Relay requires wss (ws is permitted only on loopback)"},
        FailureCase{"relay_before_rag", "relay_url = \"x\"\n[rag]\nmax_tokens = 1\n",
                    "Invalid relay URL"},
        FailureCase{"rag_before_centers", center("a") + center("a") + "[rag]\nmax_tokens = 1\n",
                    "invalid RAG concurrency, token, timeout or retry setting"},
        FailureCase{"centers_wrapped", center("a") + center("a"),
                    "Invalid centers configuration: duplicate center id"},
        FailureCase{"centers_url", center("a", "http://192.168.1.2"),
                    "Invalid centers configuration: non-loopback center URL must use https://"},
        FailureCase{"centers_before_model_dir",
                    "[rag]\nlocal_model_dir = \"~/m\"\n" + center("a.b"),
                    "Invalid centers configuration: center id must be alphanumeric, '-' or '_'"}),
    testing::case_name<FailureCase>);

TEST_F(ConfigurationLoad, KeepsTheServiceErrorOfRetrievalChecks) {
    const auto loaded = load_document("[rag.http]\ntimeout_seconds = 0\n");
    ASSERT_FALSE(loaded.has_value());
    ASSERT_TRUE(loaded.error().cause.has_value());
    EXPECT_EQ(loaded.error().cause->kind(), core::ErrorKind::Invalid);
}

TEST_F(ConfigurationLoad, AcceptsExactlySixtyFourKiB) {
    const auto loaded = load_document(padded("[desktop]\nport = 8080\n", 65536));
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->settings.desktop.port, 8080);
}

TEST_F(ConfigurationLoad, EmptyFileGivesDefaultsFromTheFile) {
    const auto loaded = load_document("");
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->settings, Settings{});
    EXPECT_EQ(loaded->path, temp.path() / "etc/config.toml");
    EXPECT_TRUE(loaded->from_file);
}

TEST_F(ConfigurationLoad, ResolvesPathsAgainstTheFileAndHome) {
    const auto loaded = load_document(
        "storage_dir = \"data\"\nrelay_url = \"ws://LOCALHOST:1\"\n"
        "[rag]\nlocal_model_dir = \"~\\\\models\"\n" +
        center("a", "http://127.0.0.1:9") + center("A"));
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->settings.storage_dir, temp.path() / "etc/data");
    EXPECT_EQ(loaded->settings.rag.local_model_dir, temp.path() / "user/models");
    EXPECT_EQ(loaded->settings.relay_url, "ws://LOCALHOST:1");  // kept as written
    EXPECT_EQ(loaded->settings.centers.size(), 2U);
}

TEST_F(ConfigurationLoad, EmptyModelDirIsTheFileDirectory) {
    const auto loaded = load_document("[rag]\nlocal_model_dir = \"\"\n");
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->settings.rag.local_model_dir, (temp.path() / "etc").string() + "/");
}

TEST_F(ConfigurationLoad, MissingDefaultFileGivesDefaults) {
    const auto loaded = Configuration::load(std::nullopt);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->settings, Settings{});
    EXPECT_EQ(loaded->settings.desktop, (DesktopSettings{0, true}));
    EXPECT_EQ(loaded->path, temp.path() / "xdg/pellamy/config.toml");
    EXPECT_FALSE(loaded->from_file);
}

TEST_F(ConfigurationLoad, ReadsTheDefaultFile) {
    write("xdg/pellamy/config.toml", "[desktop]\nopen_browser = false\n");
    const auto loaded = Configuration::load(std::nullopt);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_FALSE(loaded->settings.desktop.open_browser);
    EXPECT_TRUE(loaded->from_file);
}

TEST_F(ConfigurationLoad, ChosenFileMustExist) {
    const ScopedEnv variable{"PELLAMY_CONFIG", (temp.path() / "missing-env.toml").string()};
    for (const auto& given :
         {std::optional<fs::path>{temp.path() / "missing.toml"}, std::optional<fs::path>{}}) {
        const auto loaded = Configuration::load(given);
        ASSERT_FALSE(loaded.has_value());
        EXPECT_EQ(loaded.error().message, "Could not read configuration file");
    }
}

TEST_F(ConfigurationLoad, OptionBeatsVariableBeatsDefault) {
    write("xdg/pellamy/config.toml", "[desktop]\nport = 1\n");
    const fs::path from_variable = write("env.toml", "[desktop]\nport = 2\n");
    const fs::path from_option = write("option.toml", "[desktop]\nport = 3\n");
    const ScopedEnv variable{"PELLAMY_CONFIG", from_variable.string()};
    EXPECT_EQ(Configuration::load(from_option)->settings.desktop.port, 3);
    EXPECT_EQ(Configuration::load(std::nullopt)->settings.desktop.port, 2);
}

TEST_F(ConfigurationLoad, MakesARelativePathAbsoluteLexically) {
    write("etc/config.toml", "");
    const fs::path previous = fs::current_path();
    fs::current_path(temp.path());
    const auto loaded = Configuration::load("./etc/../etc/config.toml");
    fs::current_path(previous);
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message;
    EXPECT_EQ(loaded->path, temp.path() / "etc/../etc/config.toml");
}

TEST_F(ConfigurationLoad, RefusesPathsThatCannotBeRead) {
    const fs::path directory = temp.path() / "dir";
    fs::create_directory(directory);
    EXPECT_EQ(Configuration::load(directory).error().message, "Configuration must be UTF-8 text");
    EXPECT_EQ(Configuration::load(fs::path{""}).error().message,
              "cannot make an empty path absolute");
    const ScopedEnv variable{"PELLAMY_CONFIG", ""};
    EXPECT_EQ(Configuration::load(std::nullopt).error().message,
              "cannot make an empty path absolute");
}

TEST_F(ConfigurationLoad, OptionalFileFailingForAnotherReason) {
    // The default file's directory is a plain file: not "missing" but unreadable.
    write("xdg/pellamy", "not a directory");
    const auto loaded = Configuration::load(std::nullopt);
    ASSERT_FALSE(loaded.has_value());
    EXPECT_EQ(loaded.error().message, "Could not read configuration file");
}

}  // namespace
}  // namespace pellamy::config
