#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellamy::desktop::web::testing {

// One answer as it came over the wire: headers in their order, duplicates kept.
struct RawResponse {
    int status = 0;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // Every value of the header `name` (any letter case), in order.
    std::vector<std::string> values(std::string_view name) const;
};

// Header names compare without regard to letter case.
bool same_header_name(std::string_view a, std::string_view b);

// A plain TCP connection to 127.0.0.1, so that tests see exactly what the server sends.
class RawConnection {
public:
    explicit RawConnection(std::uint16_t port);
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    ~RawConnection();

    void send(std::string_view bytes);

    // Reads one response framed by its Content-Length.
    RawResponse receive();

    // True when the server has closed its side and nothing more is coming.
    bool at_end();

private:
    std::string read_until(std::string_view terminator);

    int descriptor_;
    std::string pending_;
};

// Sends one request on a fresh connection and returns the answer.
RawResponse round_trip(std::uint16_t port, std::string_view request);

// The errno of connecting to `address` (an IPv4 or IPv6 literal) at `port`; 0 on success.
int connect_error(const std::string& address, std::uint16_t port);

// The port and the token of a dashboard URL http://127.0.0.1:PORT/#token=TOKEN.
std::uint16_t port_of(std::string_view url);
std::string token_of(std::string_view url);

}  // namespace pellamy::desktop::web::testing
