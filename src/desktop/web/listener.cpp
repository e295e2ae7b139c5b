#include "desktop/web/listener.hpp"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace pellamy::desktop::web {

namespace asio = boost::asio;
using asio::ip::tcp;

std::expected<tcp::acceptor, std::error_code> listen_on_loopback(asio::io_context& context,
                                                                 std::uint16_t port) {
    // Created here rather than by the acceptor so that close-on-exec is set
    // atomically: other threads of the tray start child processes.
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        return std::unexpected{std::error_code{errno, std::system_category()}};
    }
    tcp::acceptor acceptor{context};
    boost::system::error_code error;
    acceptor.assign(tcp::v4(), descriptor, error);
    if (error) {
        ::close(descriptor);
        return std::unexpected{std::error_code{error}};
    }
    acceptor.set_option(tcp::acceptor::reuse_address{true}, error);
    if (!error) {
        acceptor.bind({asio::ip::address_v4::loopback(), port}, error);
    }
    if (!error) {
        acceptor.listen(128, error);
    }
    if (!error) {
        acceptor.non_blocking(true, error);
    }
    if (error) {
        return std::unexpected{std::error_code{error}};
    }
    return acceptor;
}

}  // namespace pellamy::desktop::web
