#pragma once

#include <cstdint>
#include <expected>
#include <filesystem>
#include <optional>
#include <string>

#include "core/error.hpp"

namespace pellamy::core {

enum class Protocol : std::uint8_t { Gemini, Compatible };

// A model service: embedding, generation or reranking.
struct Endpoint {
    std::string url;
    Protocol protocol = Protocol::Gemini;
    std::string model;
    std::optional<std::uint32_t> dimensions;
    std::optional<std::string> api_key_env;  // the variable's name, never its value

    std::expected<void, Error> validate() const;

    bool operator==(const Endpoint&) const = default;
};

struct HttpConfig {
    std::optional<std::string> proxy_url;
    bool use_env_proxy = true;
    std::uint32_t retries = 2;
    std::uint64_t backoff_ms = 500;
    std::uint64_t timeout_seconds = 60;
    std::uint64_t connect_timeout_seconds = 10;
    std::uint64_t download_timeout_seconds = 900;

    bool operator==(const HttpConfig&) const = default;
};

// Retrieval settings.
struct Config {
    std::optional<std::filesystem::path> local_model_dir;
    std::uint32_t local_threads = 4;
    std::uint32_t max_tokens = 2048;
    std::optional<std::string> model_download_base_url;
    std::optional<Endpoint> embedding;
    std::optional<Endpoint> generation;
    std::optional<Endpoint> rerank;
    HttpConfig http;

    std::expected<void, Error> validate() const;

    bool operator==(const Config&) const = default;
};

}  // namespace pellamy::core
