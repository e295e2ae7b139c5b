// Parsing a URL's serialisation must give back the same URL, component by
// component; domain to ASCII must be stable on its own output.
#include <cstdint>
#include <string_view>

#include "checks.hpp"
#include "url/url.hpp"

namespace {

using pellamy::fuzz::require;
using pellamy::url::Url;

bool same(const Url& a, const Url& b) {
    return a.href() == b.href() && a.protocol() == b.protocol() && a.username() == b.username() &&
           a.password() == b.password() && a.host() == b.host() && a.hostname() == b.hostname() &&
           a.port() == b.port() && a.pathname() == b.pathname() && a.search() == b.search() &&
           a.hash() == b.hash() && a.has_query() == b.has_query() &&
           a.has_fragment() == b.has_fragment();
}

void check_url(std::string_view input) {
    const auto url = pellamy::url::parse(input);
    if (!url) {
        return;
    }
    const auto again = pellamy::url::parse(url->href());
    require(again && same(*url, *again));
}

void check_domain(std::string_view input) {
    const auto ascii = pellamy::url::domain_to_ascii(input);
    if (!ascii) {
        return;
    }
    const auto again = pellamy::url::domain_to_ascii(*ascii);
    require(again && *again == *ascii);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check_url(input);
    check_domain(input);
    return 0;
}
