#include "core/rag_config.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/endpoint_url.hpp"
#include "support/case_name.hpp"
#include "support/expect_result.hpp"

namespace pellamy::core {
namespace {

constexpr std::string_view bad_number = "invalid RAG concurrency, token, timeout or retry setting";
constexpr std::string_view bad_model_url =
    "model URLs require HTTPS or loopback HTTP, without credentials, query strings or fragments";
constexpr std::string_view bad_proxy =
    "proxy must be an HTTP(S) or SOCKS5 URL without embedded credentials";

struct RagCase {
    std::string name;
    std::function<void(Config&)> change;  // applied to the defaults
    std::string_view error;               // empty when accepted
};

class RagValidate : public ::testing::TestWithParam<RagCase> {};

TEST_P(RagValidate, ChecksInOrder) {
    const RagCase& c = GetParam();
    Config config;
    c.change(config);
    testing::expect_result(config.validate(), c.error);
}

Endpoint endpoint(std::string url) {
    Endpoint result;
    result.url = std::move(url);
    return result;
}

// A valid embedding endpoint, for cases that change one of its fields.
Endpoint& embedding(Config& config) {
    config.embedding = endpoint("https://e");
    return *config.embedding;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, RagValidate,
    ::testing::Values(
        RagCase{"defaults", [](Config&) {}, ""},
        RagCase{"tokens_64", [](Config& c) { c.max_tokens = 64; }, ""},
        RagCase{"tokens_63", [](Config& c) { c.max_tokens = 63; }, bad_number},
        RagCase{"tokens_2049", [](Config& c) { c.max_tokens = 2049; }, bad_number},
        RagCase{"threads_0", [](Config& c) { c.local_threads = 0; }, bad_number},
        RagCase{"threads_32", [](Config& c) { c.local_threads = 32; }, ""},
        RagCase{"threads_33", [](Config& c) { c.local_threads = 33; }, bad_number},
        RagCase{"retries_0", [](Config& c) { c.http.retries = 0; }, ""},
        RagCase{"retries_6", [](Config& c) { c.http.retries = 6; }, bad_number},
        RagCase{"backoff_30001", [](Config& c) { c.http.backoff_ms = 30001; }, bad_number},
        RagCase{"timeout_0", [](Config& c) { c.http.timeout_seconds = 0; }, bad_number},
        RagCase{"timeout_301", [](Config& c) { c.http.timeout_seconds = 301; }, bad_number},
        RagCase{"connect_61", [](Config& c) { c.http.connect_timeout_seconds = 61; }, bad_number},
        RagCase{"download_0", [](Config& c) { c.http.download_timeout_seconds = 0; }, bad_number},
        RagCase{"download_3601", [](Config& c) { c.http.download_timeout_seconds = 3601; },
                bad_number},
        RagCase{"numbers_before_endpoints",
                [](Config& c) {
                    c.max_tokens = 1;
                    c.embedding = endpoint("ftp://x");
                },
                bad_number}),
    testing::case_name<RagCase>);

INSTANTIATE_TEST_SUITE_P(
    Endpoints, RagValidate,
    ::testing::Values(
        RagCase{"loopback_http", [](Config& c) { c.embedding = endpoint("http://[::1]:8080/v1"); },
                ""},
        RagCase{"private_http", [](Config& c) { c.generation = endpoint("http://10.0.0.5"); },
                bad_model_url},
        RagCase{"unparsable", [](Config& c) { c.rerank = endpoint("https://"); },
                "invalid model URL"},
        RagCase{"dimensions_0", [](Config& c) { embedding(c).dimensions = 0; },
                "invalid embedding dimensions"},
        RagCase{"dimensions_4097", [](Config& c) { embedding(c).dimensions = 4097; },
                "invalid embedding dimensions"},
        RagCase{"dimensions_4096", [](Config& c) { embedding(c).dimensions = 4096; }, ""},
        RagCase{"model_200_bytes", [](Config& c) { embedding(c).model = std::string(200, 'm'); },
                ""},
        RagCase{"model_201_bytes", [](Config& c) { embedding(c).model = std::string(201, 'm'); },
                "invalid model name"},
        RagCase{"model_tab", [](Config& c) { embedding(c).model = "a\tb"; }, "invalid model name"},
        RagCase{"model_delete", [](Config& c) { embedding(c).model = "a\x7F"; },
                "invalid model name"},
        RagCase{"model_c1_control", [](Config& c) { embedding(c).model = "a\xC2\x85"; },  // U+0085
                "invalid model name"},
        RagCase{"model_past_c1",
                [](Config& c) { embedding(c).model = "gr\xC3\xB6\xC3\x9F\xC2\xA0"; },  // U+00A0
                ""},
        RagCase{"api_key_env_ok",
                [](Config& c) { embedding(c).api_key_env = "9_KEY_" + std::string(122, 'a'); }, ""},
        RagCase{"api_key_env_long",
                [](Config& c) { embedding(c).api_key_env = std::string(129, 'A'); },
                "API key configuration must name an environment variable"},
        RagCase{"api_key_env_empty", [](Config& c) { embedding(c).api_key_env = ""; },
                "API key configuration must name an environment variable"},
        RagCase{"api_key_env_dash", [](Config& c) { embedding(c).api_key_env = "API-KEY"; },
                "API key configuration must name an environment variable"},
        RagCase{"url_before_dimensions",
                [](Config& c) {
                    c.embedding = endpoint("http://example.com");
                    c.embedding->dimensions = 0;
                },
                bad_model_url},
        RagCase{"embedding_before_generation",
                [](Config& c) {
                    c.generation = endpoint("bad");
                    embedding(c).model = "\n";
                },
                "invalid model name"},
        RagCase{"download_url", [](Config& c) { c.model_download_base_url = "https://d/?"; },
                bad_model_url}),
    testing::case_name<RagCase>);

INSTANTIATE_TEST_SUITE_P(
    Proxy, RagValidate,
    ::testing::Values(
        RagCase{"socks5h", [](Config& c) { c.http.proxy_url = "socks5h://proxy:1080"; }, ""},
        RagCase{"https", [](Config& c) { c.http.proxy_url = "https://proxy"; }, ""},
        RagCase{"ftp", [](Config& c) { c.http.proxy_url = "ftp://proxy"; }, bad_proxy},
        RagCase{"credentials", [](Config& c) { c.http.proxy_url = "http://u:p@proxy"; }, bad_proxy},
        RagCase{"user_only", [](Config& c) { c.http.proxy_url = "socks5://u@proxy"; }, bad_proxy},
        RagCase{"empty_query", [](Config& c) { c.http.proxy_url = "http://proxy/?"; }, bad_proxy},
        RagCase{"empty_fragment", [](Config& c) { c.http.proxy_url = "http://proxy/#"; },
                bad_proxy},
        RagCase{"no_host", [](Config& c) { c.http.proxy_url = "socks5:proxy"; }, bad_proxy},
        RagCase{"unparsable", [](Config& c) { c.http.proxy_url = "http://[::1"; },
                "invalid model proxy URL"},
        RagCase{"download_before_proxy",
                [](Config& c) {
                    c.model_download_base_url = "http://8.8.8.8";
                    c.http.proxy_url = "ftp://p";
                },
                bad_model_url}),
    testing::case_name<RagCase>);

struct ModelUrlCase {
    std::string url;
    std::string_view error;  // empty when accepted
};

class EndpointUrl : public ::testing::TestWithParam<ModelUrlCase> {};

TEST_P(EndpointUrl, AcceptsHttpsOrLoopbackHttpOnly) {
    const ModelUrlCase& c = GetParam();
    testing::expect_result(endpoint_url(c.url), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EndpointUrl,
    ::testing::Values(
        ModelUrlCase{"https://api.example.com/v1", ""}, ModelUrlCase{"HTTPS://API.EXAMPLE.COM", ""},
        ModelUrlCase{"http://localhost:11434", ""}, ModelUrlCase{"http://127.0.0.1", ""},
        ModelUrlCase{"http://[::1]:80/x", ""}, ModelUrlCase{"http://127.0.0.2", bad_model_url},
        ModelUrlCase{"http://10.0.0.5", bad_model_url},
        ModelUrlCase{"ws://localhost", bad_model_url},
        ModelUrlCase{"https://u@api.example.com", bad_model_url},
        ModelUrlCase{"https://:p@api.example.com", bad_model_url},
        ModelUrlCase{"https://api.example.com/?q=1", bad_model_url},
        ModelUrlCase{"https://api.example.com/#", bad_model_url},
        ModelUrlCase{"file:///models", bad_model_url}, ModelUrlCase{"", "invalid model URL"},
        ModelUrlCase{"https://exa mple.com", "invalid model URL"}));

}  // namespace
}  // namespace pellamy::core
