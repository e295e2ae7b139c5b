#pragma once

#include <boost/asio/awaitable.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "desktop/web/app.hpp"

namespace pellamy::desktop::web {

// Accepts connections for as long as the listener can be waited on, serving each
// one as its own coroutine. `app` must outlive every coroutine of the executor.
boost::asio::awaitable<void> accept_connections(boost::asio::ip::tcp::acceptor listener,
                                                const App& app);

}  // namespace pellamy::desktop::web
