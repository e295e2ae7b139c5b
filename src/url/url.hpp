#pragma once

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

namespace pellamy::url {

struct ParseError {
    std::string reason;  // short and fixed, e.g. "invalid host"
};

// A parsed absolute URL. It keeps only its serialisation and where each
// component sits in it, so every getter is a view into href().
class Url {
public:
    std::string_view href() const { return href_; }
    std::string_view protocol() const;  // "http:"
    std::string_view username() const;
    std::string_view password() const;
    std::string_view host() const;      // "example.com:8080"
    std::string_view hostname() const;  // "example.com", "[::1]"
    std::string_view port() const;      // "" or "8080"
    std::string_view pathname() const;
    std::string_view search() const;  // "" or "?q"
    std::string_view hash() const;    // "" or "#f"

    // True for "http://h/?" and "http://h/#" too, which search() and hash()
    // cannot tell from no query or fragment at all.
    bool has_query() const;
    bool has_fragment() const;

private:
    friend class Parser;

    // Without a host every offset up to path_begin_ equals protocol_end_.
    std::string href_;
    std::size_t protocol_end_ = 0;  // just after ':'
    std::size_t username_end_ = 0;  // the username starts after "//"
    std::size_t host_begin_ = 0;    // after '@' when there are credentials
    std::size_t host_end_ = 0;
    std::size_t port_end_ = 0;  // host_end_ without a port
    std::size_t path_begin_ = 0;
    std::size_t query_begin_ = 0;     // at '?', or fragment_begin_ without a query
    std::size_t fragment_begin_ = 0;  // at '#', or href_.size() without a fragment
};

std::expected<Url, ParseError> parse(std::string_view input);

// The standard's "domain to ASCII": lower-cased ASCII, or UTS #46 processing
// for Unicode and "xn--" labels. Strict mode adds the STD3 and DNS length rules.
std::expected<std::string, ParseError> domain_to_ascii(std::string_view domain,
                                                       bool be_strict = false);

}  // namespace pellamy::url
