#include "core/rag_config.hpp"

#include <array>

#include "core/endpoint_url.hpp"
#include "core/url_facts.hpp"

namespace pellamy::core {
namespace {

template <typename T>
bool within(T value, T low, T high) {
    return value >= low && value <= high;
}

bool numbers_in_range(const Config& config) {
    const HttpConfig& http = config.http;
    return within<std::uint32_t>(config.local_threads, 1, 32) &&
           within<std::uint32_t>(config.max_tokens, 64, 2048) &&
           within<std::uint32_t>(http.retries, 0, 5) &&
           within<std::uint64_t>(http.backoff_ms, 0, 30'000) &&
           within<std::uint64_t>(http.timeout_seconds, 1, 300) &&
           within<std::uint64_t>(http.connect_timeout_seconds, 1, 60) &&
           within<std::uint64_t>(http.download_timeout_seconds, 1, 3600);
}

std::expected<void, Error> validate_proxy(std::string_view text) {
    const auto parsed = url::parse(text);
    if (!parsed) {
        return std::unexpected{Error::invalid("invalid model proxy URL")};
    }
    const std::string_view scheme_name = scheme(*parsed);
    const bool proxy_scheme = scheme_name == "http" || scheme_name == "https" ||
                              scheme_name == "socks5" || scheme_name == "socks5h";
    if (!proxy_scheme || !has_host(*parsed) || has_credentials(*parsed) ||
        has_query_or_fragment(*parsed)) {
        return std::unexpected{
            Error::invalid("proxy must be an HTTP(S) or SOCKS5 URL without embedded credentials")};
    }
    return {};
}

}  // namespace

std::expected<void, Error> Config::validate() const {
    if (!numbers_in_range(*this)) {
        return std::unexpected{
            Error::invalid("invalid RAG concurrency, token, timeout or retry setting")};
    }
    for (const auto* endpoint : std::array{&embedding, &generation, &rerank}) {
        if (!*endpoint) {
            continue;
        }
        if (auto checked = (*endpoint)->validate(); !checked) {
            return checked;
        }
    }
    if (model_download_base_url) {
        if (const auto parsed = endpoint_url(*model_download_base_url); !parsed) {
            return std::unexpected{parsed.error()};
        }
    }
    if (http.proxy_url) {
        return validate_proxy(*http.proxy_url);
    }
    return {};
}

}  // namespace pellamy::core
