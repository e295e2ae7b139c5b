#include "support/raw_http.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace pellamy::desktop::web::testing {
namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error{errno, std::system_category(), what};
}

std::size_t to_number(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        throw std::runtime_error("not a number: " + std::string{text});
    }
    return value;
}

// A connected socket or -1 with errno set. Reads time out so a silent server fails the test.
int connect_socket(const std::string& address, std::uint16_t port) {
    sockaddr_storage storage{};
    socklen_t length = 0;
    int family = AF_INET;
    if (auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
        ::inet_pton(AF_INET, address.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        length = sizeof(sockaddr_in);
    } else if (auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
               ::inet_pton(AF_INET6, address.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
        family = AF_INET6;
    } else {
        throw std::invalid_argument("not an address: " + address);
    }
    const int descriptor = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        fail("socket");
    }
    const timeval timeout{5, 0};
    ::setsockopt(descriptor, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (::connect(descriptor, reinterpret_cast<sockaddr*>(&storage), length) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

}  // namespace

bool same_header_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::vector<std::string> RawResponse::values(std::string_view name) const {
    std::vector<std::string> found;
    for (const auto& [key, value] : headers) {
        if (same_header_name(key, name)) {
            found.push_back(value);
        }
    }
    return found;
}

RawConnection::RawConnection(std::uint16_t port) : descriptor_(connect_socket("127.0.0.1", port)) {
    if (descriptor_ < 0) {
        fail("connect");
    }
}

RawConnection::~RawConnection() {
    ::close(descriptor_);
}

void RawConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(descriptor_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            fail("send");
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string RawConnection::read_until(std::string_view terminator) {
    std::size_t end;
    while ((end = pending_.find(terminator)) == std::string::npos) {
        std::array<char, 4096> buffer;
        const ssize_t count = ::recv(descriptor_, buffer.data(), buffer.size(), 0);
        if (count <= 0) {
            throw std::runtime_error("connection ended before a complete response");
        }
        pending_.append(buffer.data(), static_cast<std::size_t>(count));
    }
    std::string head = pending_.substr(0, end);
    pending_.erase(0, end + terminator.size());
    return head;
}

RawResponse RawConnection::receive() {
    const std::string head = read_until("\r\n\r\n");
    RawResponse response;
    std::string_view rest = head;
    const auto line_end = rest.find("\r\n");
    const std::string_view status_line = rest.substr(0, line_end);
    if (!status_line.starts_with("HTTP/1.1 ") || status_line.size() < 12) {
        throw std::runtime_error("bad status line: " + std::string{status_line});
    }
    response.status = static_cast<int>(to_number(status_line.substr(9, 3)));
    rest = line_end == std::string_view::npos ? std::string_view{} : rest.substr(line_end + 2);
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        const std::string_view line = rest.substr(0, end);
        const auto colon = line.find(':');
        std::string_view value = line.substr(colon + 1);
        value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
        response.headers.emplace_back(line.substr(0, colon), value);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 2);
    }
    const auto lengths = response.values("content-length");
    const std::size_t length = lengths.empty() ? 0 : to_number(lengths.front());
    while (pending_.size() < length) {
        std::array<char, 65536> buffer;
        const ssize_t count = ::recv(descriptor_, buffer.data(), buffer.size(), 0);
        if (count <= 0) {
            throw std::runtime_error("connection ended inside a body");
        }
        pending_.append(buffer.data(), static_cast<std::size_t>(count));
    }
    response.body = pending_.substr(0, length);
    pending_.erase(0, length);
    return response;
}

bool RawConnection::at_end() {
    char byte;
    const ssize_t count = ::recv(descriptor_, &byte, 1, 0);
    return pending_.empty() && (count == 0 || (count < 0 && errno == ECONNRESET));
}

RawResponse round_trip(std::uint16_t port, std::string_view request) {
    RawConnection connection{port};
    connection.send(request);
    return connection.receive();
}

int connect_error(const std::string& address, std::uint16_t port) {
    const int descriptor = connect_socket(address, port);
    if (descriptor < 0) {
        return errno;
    }
    ::close(descriptor);
    return 0;
}

std::uint16_t port_of(std::string_view url) {
    constexpr std::string_view prefix = "http://127.0.0.1:";
    if (!url.starts_with(prefix)) {
        throw std::invalid_argument("not a dashboard URL: " + std::string{url});
    }
    url.remove_prefix(prefix.size());
    return static_cast<std::uint16_t>(to_number(url.substr(0, url.find('/'))));
}

std::string token_of(std::string_view url) {
    const auto mark = url.find("#token=");
    if (mark == std::string_view::npos) {
        throw std::invalid_argument("no token in " + std::string{url});
    }
    return std::string{url.substr(mark + 7)};
}

}  // namespace pellamy::desktop::web::testing
