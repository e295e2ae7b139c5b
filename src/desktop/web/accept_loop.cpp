#include "desktop/web/accept_loop.hpp"

#include <sys/socket.h>
#include <unistd.h>

#include <boost/asio/as_tuple.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <cerrno>
#include <chrono>

#include "desktop/web/connection.hpp"

namespace pellamy::desktop::web {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

// The peer gave up before we took the connection: nothing is wrong with us.
bool is_connection_error(int error) {
    return error == ECONNREFUSED || error == ECONNABORTED || error == ECONNRESET || error == EINTR;
}

}  // namespace

asio::awaitable<void> accept_connections(tcp::acceptor listener, const App& app) {
    constexpr auto no_throw = asio::as_tuple(asio::use_awaitable);
    const auto executor = co_await asio::this_coro::executor;
    asio::steady_timer pause{executor};
    for (;;) {
        // accept4 rather than the acceptor's own accept, which cannot set
        // close-on-exec atomically.
        const int descriptor =
            ::accept4(listener.native_handle(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor >= 0) {
            tcp::socket socket{executor};
            boost::system::error_code error;
            socket.assign(tcp::v4(), descriptor, error);
            if (error) {
                ::close(descriptor);
                continue;
            }
            asio::co_spawn(executor, serve_connection(std::move(socket), app), asio::detached);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            const auto [error] = co_await listener.async_wait(tcp::acceptor::wait_read, no_throw);
            if (error) {
                co_return;
            }
        } else if (!is_connection_error(errno)) {
            // Out of descriptors or memory: give the system a moment.
            pause.expires_after(std::chrono::seconds{1});
            co_await pause.async_wait(no_throw);
        }
    }
}

}  // namespace pellamy::desktop::web
