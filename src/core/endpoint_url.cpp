#include "core/endpoint_url.hpp"

#include "core/url_facts.hpp"

namespace pellamy::core {

std::expected<url::Url, Error> endpoint_url(std::string_view text) {
    auto parsed = url::parse(text);
    if (!parsed) {
        return std::unexpected{Error::invalid("invalid model URL")};
    }
    const std::string_view scheme_name = scheme(*parsed);
    const bool secure_or_local =
        scheme_name == "https" || (scheme_name == "http" && has_loopback_host(*parsed));
    if (!has_host(*parsed) || !secure_or_local || has_credentials(*parsed) ||
        has_query_or_fragment(*parsed)) {
        return std::unexpected{
            Error::invalid("model URLs require HTTPS or loopback HTTP, without credentials, "
                           "query strings or fragments")};
    }
    return std::move(*parsed);
}

}  // namespace pellamy::core
