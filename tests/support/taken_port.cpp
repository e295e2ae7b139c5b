#include "support/taken_port.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <stdexcept>

namespace pellamy::testing {

TakenPort::TakenPort() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (!socket_ || ::bind(socket_.get(), generic, length) != 0 ||
        ::listen(socket_.get(), 1) != 0 || ::getsockname(socket_.get(), generic, &length) != 0) {
        throw std::runtime_error{"could not take a port"};
    }
    port_ = ntohs(address.sin_port);
}

}  // namespace pellamy::testing
