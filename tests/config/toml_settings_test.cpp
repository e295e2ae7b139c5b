#include "config/toml_settings.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pellamy::config {
namespace {

constexpr std::string_view invalid =
    "Invalid configuration; check TOML syntax, field names and types";

const std::string center =
    "[[centers]]\nid = \"a\"\nurl = \"https://c.example\"\npublic_key = \"k\"\n";

struct SchemaCase {
    std::string name;
    std::string document;
    std::function<void(Settings&)> expected;  // changes to the defaults; null when refused
};

void PrintTo(const SchemaCase& c, std::ostream* out) {
    *out << c.name;
}

std::string case_name(const ::testing::TestParamInfo<SchemaCase>& param) {
    return param.param.name;
}

class TomlSchema : public ::testing::TestWithParam<SchemaCase> {};

TEST_P(TomlSchema, MapsOrRefuses) {
    const SchemaCase& c = GetParam();
    const auto settings = parse_settings(c.document);
    if (!c.expected) {
        ASSERT_FALSE(settings.has_value());
        EXPECT_EQ(settings.error().message, invalid);
        EXPECT_FALSE(settings.error().cause.has_value());
        return;
    }
    ASSERT_TRUE(settings.has_value()) << settings.error().message;
    Settings expected;
    c.expected(expected);
    EXPECT_EQ(*settings, expected);
}

const auto unchanged = [](Settings&) {};
const std::function<void(Settings&)> refused;

INSTANTIATE_TEST_SUITE_P(
    Accepted, TomlSchema,
    ::testing::Values(
        SchemaCase{"empty", "", unchanged},
        SchemaCase{"comments_and_empty_tables", "# nothing\n[desktop]\n[rag]\n[rag.http]\n",
                   unchanged},
        SchemaCase{"top_level", "storage_dir = \"data\"\nrelay_url = \"wss://r\"\n",
                   [](Settings& s) {
                       s.storage_dir = "data";
                       s.relay_url = "wss://r";
                   }},
        SchemaCase{"desktop_bounds", "[desktop]\nport = 65535\nopen_browser = false\n",
                   [](Settings& s) {
                       s.desktop = {65535, false};
                   }},
        SchemaCase{"desktop_inline", "desktop = { port = 0 }\n", unchanged},
        SchemaCase{"centers_in_order",
                   center + "[[centers]]\nid = \"b\"\nurl = \"u\"\npublic_key = \"\"\n",
                   [](Settings& s) {
                       s.centers = {{"a", "https://c.example", "k"}, {"b", "u", ""}};
                   }},
        SchemaCase{"rag_everything",
                   "[rag]\nlocal_model_dir = \"m\"\nlocal_threads = 8\nmax_tokens = 64\n"
                   "model_download_base_url = \"https://d\"\n"
                   "[rag.embedding]\nurl = \"https://e\"\nprotocol = \"compatible\"\n"
                   "model = \"x\"\ndimensions = 768\napi_key_env = \"KEY\"\n"
                   "[rag.generation]\nurl = \"https://g\"\nprotocol = \"gemini\"\n"
                   "[rag.rerank]\nurl = \"https://r\"\n"
                   "[rag.http]\nproxy_url = \"socks5h://p:1\"\nuse_env_proxy = false\n"
                   "retries = 0\nbackoff_ms = 30000\ntimeout_seconds = 1\n"
                   "connect_timeout_seconds = 2\ndownload_timeout_seconds = 3\n",
                   [](Settings& s) {
                       s.rag.local_model_dir = "m";
                       s.rag.local_threads = 8;
                       s.rag.max_tokens = 64;
                       s.rag.model_download_base_url = "https://d";
                       s.rag.embedding =
                           core::Endpoint{"https://e", core::Protocol::Compatible, "x", 768, "KEY"};
                       s.rag.generation.emplace().url = "https://g";
                       s.rag.rerank.emplace().url = "https://r";
                       s.rag.http = {"socks5h://p:1", false, 0, 30000, 1, 2, 3};
                   }},
        // Values the content checks refuse later still map.
        SchemaCase{"out_of_check_range", "[rag]\nlocal_threads = 0\nmax_tokens = 4294967295\n",
                   [](Settings& s) {
                       s.rag.local_threads = 0;
                       s.rag.max_tokens = 4294967295;
                   }}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    Refused, TomlSchema,
    ::testing::Values(
        SchemaCase{"syntax", "storage_dir = \n", refused},
        SchemaCase{"unknown_top_level", "relay-url = \"wss://r\"\n", refused},
        SchemaCase{"unknown_in_desktop", "[desktop]\ncolour = \"red\"\n", refused},
        SchemaCase{"unknown_in_center", center + "extra = 1\n", refused},
        SchemaCase{"unknown_in_rag", "[rag]\nthreads = 4\n", refused},
        SchemaCase{"unknown_in_endpoint", "[rag.embedding]\nurl = \"https://e\"\nkey = \"k\"\n",
                   refused},
        SchemaCase{"unknown_in_http", "[rag.http]\nproxy = \"http://p\"\n", refused},
        SchemaCase{"unknown_table", "[other]\n", refused},
        SchemaCase{"duplicate_key", "storage_dir = \"a\"\nstorage_dir = \"b\"\n", refused},
        SchemaCase{"duplicate_table", "[desktop]\n[desktop]\n", refused},
        SchemaCase{"missing_center_key", "[[centers]]\nid = \"a\"\nurl = \"u\"\n", refused},
        SchemaCase{"missing_endpoint_url", "[rag.rerank]\nmodel = \"m\"\n", refused},
        SchemaCase{"port_too_large", "[desktop]\nport = 70000\n", refused},
        SchemaCase{"port_negative", "[desktop]\nport = -1\n", refused},
        SchemaCase{"port_float", "[desktop]\nport = 8080.0\n", refused},
        SchemaCase{"port_string", "[desktop]\nport = \"8080\"\n", refused},
        SchemaCase{"open_browser_integer", "[desktop]\nopen_browser = 1\n", refused},
        SchemaCase{"storage_dir_integer", "storage_dir = 1\n", refused},
        SchemaCase{"desktop_not_table", "desktop = 1\n", refused},
        SchemaCase{"centers_not_array", "[centers]\nid = \"a\"\n", refused},
        SchemaCase{"center_not_table", "centers = [1]\n", refused},
        SchemaCase{"max_tokens_past_u32", "[rag]\nmax_tokens = 4294967296\n", refused},
        SchemaCase{"threads_boolean", "[rag]\nlocal_threads = true\n", refused},
        SchemaCase{"backoff_negative", "[rag.http]\nbackoff_ms = -1\n", refused},
        SchemaCase{"dimensions_negative", "[rag.embedding]\nurl = \"https://e\"\ndimensions = -5\n",
                   refused},
        SchemaCase{"unknown_protocol",
                   "[rag.embedding]\nurl = \"https://e\"\nprotocol = \"openai\"\n", refused},
        SchemaCase{"protocol_integer", "[rag.embedding]\nurl = \"https://e\"\nprotocol = 1\n",
                   refused},
        SchemaCase{"date_for_string", "relay_url = 1979-05-27\n", refused}),
    case_name);

}  // namespace
}  // namespace pellamy::config
