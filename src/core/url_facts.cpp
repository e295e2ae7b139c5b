#include "core/url_facts.hpp"

namespace pellamy::core {

std::string_view scheme(const url::Url& url) {
    std::string_view protocol = url.protocol();
    protocol.remove_suffix(1);
    return protocol;
}

bool has_host(const url::Url& url) {
    return !url.hostname().empty();
}

bool has_loopback_host(const url::Url& url) {
    const std::string_view host = url.hostname();
    return host == "localhost" || host == "127.0.0.1" || host == "[::1]";
}

bool has_credentials(const url::Url& url) {
    return !url.username().empty() || !url.password().empty();
}

bool has_query_or_fragment(const url::Url& url) {
    return url.has_query() || url.has_fragment();
}

}  // namespace pellamy::core
