#pragma once

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "desktop/web/app.hpp"
#include "desktop/web/message.hpp"

namespace pellamy::desktop::web {

// Serves the requests of one connection (HTTP/1.1, keep-alive) until the peer
// closes it, sends something that is not HTTP, or asks to close.
boost::asio::awaitable<void> serve_connection(boost::asio::ip::tcp::socket socket, const App& app);

// The answer to one request read from a connection; the connection stays open
// after it exactly when the answer's keep_alive() is true.
Response answer(const App& app, const Request& request);

}  // namespace pellamy::desktop::web
