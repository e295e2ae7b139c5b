#pragma once

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "desktop/web/app.hpp"

namespace pellamy::desktop::web {

// Serves the requests of one connection (HTTP/1.1, keep-alive) until the peer
// closes it, sends something that is not HTTP, or asks to close.
boost::asio::awaitable<void> serve_connection(boost::asio::ip::tcp::socket socket, const App& app);

}  // namespace pellamy::desktop::web
