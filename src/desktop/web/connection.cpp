#include "desktop/web/connection.hpp"

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include "desktop/web/guard.hpp"

namespace pellamy::desktop::web {

namespace asio = boost::asio;
using asio::ip::tcp;

Response answer(const App& app, const Request& request) {
    Response response = respond(app, request);
    response.keep_alive(request.keep_alive());
    return response;
}

asio::awaitable<void> serve_connection(tcp::socket socket, const App& app) {
    constexpr auto no_throw = asio::as_tuple(asio::use_awaitable);
    boost::beast::flat_buffer buffer;
    for (;;) {
        Request request;
        const auto [read_error, read] =
            co_await http::async_read(socket, buffer, request, no_throw);
        if (read_error) {
            break;
        }
        Response response = answer(app, request);
        const auto [write_error, written] = co_await http::async_write(socket, response, no_throw);
        if (write_error || !response.keep_alive()) {
            break;
        }
    }
    // Closing with unread input would reset the connection and could discard
    // the last answer before the peer has read it.
    boost::system::error_code ignored;
    socket.shutdown(tcp::socket::shutdown_send, ignored);
}

}  // namespace pellamy::desktop::web
