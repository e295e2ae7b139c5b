// Bytes a local process sends on one dashboard connection, read as the server
// reads them and answered by the server's own per-request step until the
// connection would close. Every answer must carry the six security headers
// with their values, only a GET to the bound address may pass the guard, and
// no "/api/" answer may be 200 without the token.
#include <algorithm>
#include <boost/asio/buffer.hpp>
#include <boost/asio/error.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <cstdint>
#include <string_view>

#include "checks.hpp"
#include "desktop/shared.hpp"
#include "desktop/web/connection.hpp"
#include "support/security_headers.hpp"

namespace {

namespace http = boost::beast::http;
using namespace pellamy::desktop;
using pellamy::desktop::web::testing::expected_security_headers;
using pellamy::fuzz::require;
using pellamy::fuzz::served_service;

// The input as a peer's stream, handed out in short pieces as a slow writer
// would send it, then the end of the stream.
class InputStream {
public:
    explicit InputStream(std::string_view input) : rest_(input) {}

    template <typename Buffers>
    std::size_t read_some(const Buffers& buffers, boost::system::error_code& error) {
        if (rest_.empty()) {
            error = boost::asio::error::eof;
            return 0;
        }
        constexpr std::size_t piece = 61;
        const std::size_t count = boost::asio::buffer_copy(
            buffers, boost::asio::buffer(rest_.data(), std::min(rest_.size(), piece)));
        rest_.remove_prefix(count);
        error = {};
        return count;
    }

    // The throwing form the read algorithm's stream check asks for; never called.
    template <typename Buffers>
    std::size_t read_some(const Buffers& buffers);

private:
    std::string_view rest_;
};

web::App make_app() {
    DesktopDetails details;
    details.vaults = 2;
    details.providers = {Provider::OneDrive};
    auto shared = Shared::create();
    shared->replace(
        StatusSnapshot::probed(DesktopStatus{"1.0", true, true, details}, 1'700'000'000));
    return {"127.0.0.1:8765", "http://127.0.0.1:8765",
            "Bearer 0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef",
            std::move(shared)};
}

bool carries_token(const web::App& app, const web::Request& request) {
    const auto [first, last] = request.equal_range(http::field::authorization);
    return std::any_of(first, last, [&](const auto& field) {
        return field.value() == app.expected_authorization;
    });
}

void check(const web::App& app, const web::Request& request, const web::Response& response) {
    for (const auto& [name, value] : expected_security_headers) {
        require(response.count(name) == 1 && response[name] == value);
    }
    // Past the guard only a GET to the bound address, with no foreign origin.
    if (response.result() != http::status::forbidden) {
        require(request[http::field::host] == app.expected_host);
        require(request.count(http::field::origin) == 0 ||
                request[http::field::origin] == app.expected_origin);
    }
    if (response.result() == http::status::ok) {
        require(request.method() == http::verb::get);
    }
    const std::string_view path = web::path_of(request.target());
    if (path.starts_with("/api/") && response.result() == http::status::ok) {
        require(carries_token(app, request));
        served_service(response.body().view());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const web::App app = make_app();
    InputStream stream{{reinterpret_cast<const char*>(data), size}};
    boost::beast::flat_buffer buffer;
    for (;;) {
        web::Request request;
        boost::system::error_code error;
        http::read(stream, buffer, request, error);
        if (error) {
            return 0;
        }
        const web::Response response = web::answer(app, request);
        check(app, request, response);
        if (!response.keep_alive()) {
            return 0;
        }
    }
}
