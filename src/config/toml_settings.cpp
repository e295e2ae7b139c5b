#include "config/toml_settings.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <concepts>
#include <initializer_list>
#include <limits>

namespace pellamy::config {
namespace {

// Reads one table's keys by their exact TOML type: the library's own value<T>()
// would turn 1.5 into 1 or true into 1. Any fault marks the reader failed.
class TableReader {
public:
    TableReader(const toml::table& table, std::initializer_list<std::string_view> known)
        : table_(table) {
        for (const auto& [key, node] : table) {
            if (std::ranges::find(known, key.str()) == known.end()) {
                ok_ = false;
            }
        }
    }

    bool ok() const { return ok_; }

    void required(std::string_view key, std::string& out) {
        if (table_.get(key) == nullptr) {
            ok_ = false;
        }
        read(key, out);
    }

    void read(std::string_view key, std::string& out) {
        if (const auto* node = get(key)) {
            take(node->as_string(), out);
        }
    }

    void read(std::string_view key, bool& out) {
        if (const auto* node = get(key)) {
            take(node->as_boolean(), out);
        }
    }

    template <std::unsigned_integral T>
    requires(!std::same_as<T, bool>) void read(std::string_view key, T& out) {
        const auto* node = get(key);
        if (node == nullptr) {
            return;
        }
        const auto* integer = node->as_integer();
        if (integer == nullptr || integer->get() < 0 ||
            static_cast<std::uint64_t>(integer->get()) > std::numeric_limits<T>::max()) {
            ok_ = false;
            return;
        }
        out = static_cast<T>(integer->get());
    }

    template <typename T>
    void read(std::string_view key, std::optional<T>& out) {
        if (get(key) != nullptr) {
            read(key, out.emplace());
        }
    }

    // A nested table, or null when absent (and when of another type, which fails).
    const toml::table* table(std::string_view key) { return typed<toml::table>(key); }
    const toml::array* array(std::string_view key) { return typed<toml::array>(key); }

    void fail() { ok_ = false; }

private:
    const toml::node* get(std::string_view key) const { return table_.get(key); }

    template <typename T>
    const T* typed(std::string_view key) {
        const auto* node = get(key);
        if (node == nullptr) {
            return nullptr;
        }
        const auto* typed_node = node->as<T>();
        if (typed_node == nullptr) {
            ok_ = false;
        }
        return typed_node;
    }

    template <typename Value, typename Out>
    void take(const Value* value, Out& out) {
        if (value == nullptr) {
            ok_ = false;
            return;
        }
        out = value->get();
    }

    const toml::table& table_;
    bool ok_ = true;
};

bool read_desktop(const toml::table& table, DesktopSettings& desktop) {
    TableReader reader{table, {"port", "open_browser"}};
    reader.read("port", desktop.port);
    reader.read("open_browser", desktop.open_browser);
    return reader.ok();
}

bool read_protocol(TableReader& reader, core::Protocol& protocol) {
    std::optional<std::string> name;
    reader.read("protocol", name);
    if (!name || *name == "gemini") {
        protocol = core::Protocol::Gemini;
    } else if (*name == "compatible") {
        protocol = core::Protocol::Compatible;
    } else {
        return false;
    }
    return true;
}

bool read_endpoint(TableReader& parent, std::string_view key, std::optional<core::Endpoint>& out) {
    const toml::table* table = parent.table(key);
    if (table == nullptr) {
        return true;
    }
    core::Endpoint& endpoint = out.emplace();
    TableReader reader{*table, {"url", "protocol", "model", "dimensions", "api_key_env"}};
    reader.required("url", endpoint.url);
    reader.read("model", endpoint.model);
    reader.read("dimensions", endpoint.dimensions);
    reader.read("api_key_env", endpoint.api_key_env);
    return read_protocol(reader, endpoint.protocol) && reader.ok();
}

bool read_http(const toml::table& table, core::HttpConfig& http) {
    TableReader reader{table,
                       {"proxy_url", "use_env_proxy", "retries", "backoff_ms", "timeout_seconds",
                        "connect_timeout_seconds", "download_timeout_seconds"}};
    reader.read("proxy_url", http.proxy_url);
    reader.read("use_env_proxy", http.use_env_proxy);
    reader.read("retries", http.retries);
    reader.read("backoff_ms", http.backoff_ms);
    reader.read("timeout_seconds", http.timeout_seconds);
    reader.read("connect_timeout_seconds", http.connect_timeout_seconds);
    reader.read("download_timeout_seconds", http.download_timeout_seconds);
    return reader.ok();
}

bool read_rag(const toml::table& table, core::Config& rag) {
    TableReader reader{table,
                       {"local_model_dir", "local_threads", "max_tokens", "model_download_base_url",
                        "embedding", "generation", "rerank", "http"}};
    std::optional<std::string> local_model_dir;
    reader.read("local_model_dir", local_model_dir);
    if (local_model_dir) {
        rag.local_model_dir = std::move(*local_model_dir);
    }
    reader.read("local_threads", rag.local_threads);
    reader.read("max_tokens", rag.max_tokens);
    reader.read("model_download_base_url", rag.model_download_base_url);
    const bool endpoints = read_endpoint(reader, "embedding", rag.embedding) &&
                           read_endpoint(reader, "generation", rag.generation) &&
                           read_endpoint(reader, "rerank", rag.rerank);
    const toml::table* http = reader.table("http");
    return endpoints && (http == nullptr || read_http(*http, rag.http)) && reader.ok();
}

bool read_center(const toml::node& node, core::CenterConfig& center) {
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        return false;
    }
    TableReader reader{*table, {"id", "url", "public_key"}};
    reader.required("id", center.id);
    reader.required("url", center.url);
    reader.required("public_key", center.public_key);
    return reader.ok();
}

bool read_centers(const toml::array& array, std::vector<core::CenterConfig>& centers) {
    return std::ranges::all_of(
        array, [&](const toml::node& node) { return read_center(node, centers.emplace_back()); });
}

bool read_settings(const toml::table& table, Settings& settings) {
    TableReader reader{table, {"storage_dir", "relay_url", "desktop", "centers", "rag"}};
    std::optional<std::string> storage_dir;
    reader.read("storage_dir", storage_dir);
    if (storage_dir) {
        settings.storage_dir = std::move(*storage_dir);
    }
    reader.read("relay_url", settings.relay_url);
    const toml::table* desktop = reader.table("desktop");
    const toml::array* centers = reader.array("centers");
    const toml::table* rag = reader.table("rag");
    return (desktop == nullptr || read_desktop(*desktop, settings.desktop)) &&
           (centers == nullptr || read_centers(*centers, settings.centers)) &&
           (rag == nullptr || read_rag(*rag, settings.rag)) && reader.ok();
}

}  // namespace

std::expected<Settings, Error> parse_settings(std::string_view text) {
    const auto invalid =
        std::unexpected{Error{"Invalid configuration; check TOML syntax, field names and types"}};
    Settings settings;
    try {
        const toml::table document = toml::parse(text);
        if (!read_settings(document, settings)) {
            return invalid;
        }
    } catch (const toml::parse_error&) {
        return invalid;
    }
    return settings;
}

}  // namespace pellamy::config
