#include "desktop/web/server.hpp"

#include <fmt/format.h>
#include <pthread.h>

#include <boost/asio/co_spawn.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/io_context.hpp>
#include <thread>
#include <utility>

#include "desktop/web/accept_loop.hpp"
#include "desktop/web/app.hpp"
#include "desktop/web/listener.hpp"
#include "desktop/web/token.hpp"

namespace pellamy::desktop::web {

namespace asio = boost::asio;

// Declared in this order so that the coroutines, which refer to `app`, go with
// the context before `app` goes.
struct Server::Runtime {
    App app;
    // One thread does all I/O; the only call from elsewhere is stop(), which
    // keeps its lock under this hint.
    asio::io_context context{BOOST_ASIO_CONCURRENCY_HINT_UNSAFE_IO};
    std::thread thread;

    ~Runtime() {
        context.stop();
        if (thread.joinable()) {
            thread.join();
        }
    }
};

namespace {

void run_server_thread(asio::io_context& context) noexcept {
    try {
        context.run();
    } catch (...) {
        // A failed serving loop ends the server quietly; the tray keeps running.
    }
}

}  // namespace

Server::Server(std::unique_ptr<Runtime> runtime, std::string url)
    : runtime_(std::move(runtime)), url_(std::move(url)) {}

Server::Server(Server&&) noexcept = default;
Server& Server::operator=(Server&&) noexcept = default;
Server::~Server() = default;

std::expected<Server, std::error_code> Server::start(std::uint16_t port,
                                                     std::shared_ptr<Shared> shared) {
    try {
        auto runtime = std::make_unique<Runtime>();
        auto listener = listen_on_loopback(runtime->context, port);
        if (!listener) {
            return std::unexpected{listener.error()};
        }
        boost::system::error_code error;
        const auto bound = listener->local_endpoint(error);
        if (error) {
            return std::unexpected{std::error_code{error}};
        }
        const auto token = make_access_token();
        if (!token) {
            return std::unexpected{token.error()};
        }

        App& app = runtime->app;
        app.expected_host = fmt::format("{}:{}", bound.address().to_string(), bound.port());
        app.expected_origin = "http://" + app.expected_host;
        app.expected_authorization = "Bearer " + *token;
        app.shared = std::move(shared);
        std::string url = app.expected_origin + "/#token=" + *token;

        asio::co_spawn(runtime->context, accept_connections(std::move(*listener), app),
                       asio::detached);
        runtime->thread = std::thread{run_server_thread, std::ref(runtime->context)};
        // Named from here so that the name is in place once start returns.
        ::pthread_setname_np(runtime->thread.native_handle(), "desktop-webui");
        return Server{std::move(runtime), std::move(url)};
    } catch (const boost::system::system_error& failure) {
        return std::unexpected{std::error_code{failure.code()}};
    } catch (const std::system_error& failure) {
        return std::unexpected{failure.code()};
    }
}

}  // namespace pellamy::desktop::web
