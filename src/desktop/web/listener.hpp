#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <expected>
#include <system_error>

namespace pellamy::desktop::web {

// A close-on-exec, non-blocking TCP socket listening on 127.0.0.1:port with
// address reuse and a backlog of 128. Port 0 lets the system choose.
std::expected<boost::asio::ip::tcp::acceptor, std::error_code> listen_on_loopback(
    boost::asio::io_context& context, std::uint16_t port);

}  // namespace pellamy::desktop::web
