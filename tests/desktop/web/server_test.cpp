#include "desktop/web/server.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "dashboard_support.hpp"

namespace pellamy::desktop::web::testing {
namespace {

// Names of this process's threads.
std::vector<std::string> thread_names() {
    std::vector<std::string> names;
    for (const auto& task : std::filesystem::directory_iterator{"/proc/self/task"}) {
        std::ifstream comm{task.path() / "comm"};
        std::string name;
        std::getline(comm, name);
        names.push_back(name);
    }
    return names;
}

bool has_thread(std::string_view name) {
    return std::ranges::count(thread_names(), name) > 0;
}

// A socket listening on 127.0.0.1 at a port the system chose, as another program would hold it.
class PortHolder {
public:
    PortHolder() : descriptor_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(descriptor_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(descriptor_, 1) != 0 ||
            ::getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::system_error{errno, std::system_category(), "holding a port"};
        }
        port_ = ntohs(address.sin_port);
    }
    ~PortHolder() { ::close(descriptor_); }
    std::uint16_t port() const { return port_; }

private:
    int descriptor_;
    std::uint16_t port_ = 0;
};

TEST(Server, PortZeroGivesTheBoundPortInTheUrl) {
    const auto dashboard = RunningDashboard::start();
    EXPECT_NE(dashboard.port, 0);
    EXPECT_EQ(dashboard.server.url(),
              "http://127.0.0.1:" + std::to_string(dashboard.port) + "/#token=" + dashboard.token);
    EXPECT_EQ(dashboard.token.size(), 64u);
    EXPECT_EQ(dashboard.get("/").status, 200);
}

TEST(Server, EachStartHasItsOwnToken) {
    const auto first = RunningDashboard::start();
    const auto second = RunningDashboard::start();
    EXPECT_NE(first.token, second.token);
    // The other server's token is no key here.
    const RawResponse response = round_trip(
        first.port, first.request("GET", "/api/status",
                                  {{"Host", "{host}"}, {"Authorization", second.authorization}}));
    EXPECT_EQ(response.status, 401);
}

TEST(Server, TakenPortFailsWithTheSystemsErrorAndLeavesNothingRunning) {
    const PortHolder holder;
    const auto server = Server::start(holder.port(), Shared::create());
    ASSERT_FALSE(server);
    EXPECT_EQ(server.error(), std::errc::address_in_use);
    EXPECT_EQ(server.error().message(), "Address already in use");
    EXPECT_FALSE(has_thread("desktop-webui"));
}

TEST(Server, ListensOnIpv4LoopbackOnly) {
    const auto dashboard = RunningDashboard::start();
    EXPECT_EQ(connect_error("127.0.0.1", dashboard.port), 0);
    const int ipv6 = connect_error("::1", dashboard.port);
    EXPECT_TRUE(ipv6 == ECONNREFUSED || ipv6 == EADDRNOTAVAIL || ipv6 == ENETUNREACH) << ipv6;

    ifaddrs* interfaces = nullptr;
    ASSERT_EQ(::getifaddrs(&interfaces), 0);
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        std::array<char, INET_ADDRSTRLEN> text{};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        ::inet_ntop(AF_INET, &address->sin_addr, text.data(), text.size());
        if (std::string_view{text.data()}.starts_with("127.")) {
            continue;
        }
        SCOPED_TRACE(text.data());
        EXPECT_EQ(connect_error(text.data(), dashboard.port), ECONNREFUSED);
    }
    ::freeifaddrs(interfaces);
}

TEST(Server, KeepAliveServesRequestsInTurn) {
    const auto dashboard = RunningDashboard::start();
    RawConnection connection{dashboard.port};
    const std::string status = dashboard.request(
        "GET", "/api/status", {{"Host", "{host}"}, {"Authorization", "{authorization}"}});
    connection.send(status);
    EXPECT_EQ(connection.receive().status, 200);
    connection.send(status);
    EXPECT_EQ(connection.receive().status, 200);
    // Two requests sent at once are answered in order.
    connection.send(dashboard.request("GET", "/missing", {{"Host", "{host}"}}) + status);
    EXPECT_EQ(connection.receive().status, 404);
    EXPECT_EQ(connection.receive().status, 200);
}

TEST(Server, ClosesWhenAsked) {
    const auto dashboard = RunningDashboard::start();
    RawConnection connection{dashboard.port};
    connection.send(dashboard.request("GET", "/", {{"Host", "{host}"}, {"Connection", "close"}}));
    EXPECT_EQ(connection.receive().status, 200);
    EXPECT_TRUE(connection.at_end());
}

TEST(Server, GarbageEndsOnlyThatConnection) {
    const auto dashboard = RunningDashboard::start();
    RawConnection connection{dashboard.port};
    connection.send("\x16\x03\x01 not http\r\n\r\n");
    EXPECT_TRUE(connection.at_end());
    EXPECT_EQ(dashboard.get("/").status, 200);
}

TEST(Server, StoppingEndsTheThreadConnectionsAndPort) {
    auto dashboard = std::make_optional(RunningDashboard::start());
    const std::uint16_t port = dashboard->port;
    EXPECT_TRUE(has_thread("desktop-webui"));
    RawConnection idle{port};
    EXPECT_EQ(dashboard->get("/").status, 200);
    RawConnection half_sent{port};
    half_sent.send("GET / HTTP/1.1\r\nHo");

    dashboard.reset();
    EXPECT_FALSE(has_thread("desktop-webui"));
    EXPECT_EQ(connect_error("127.0.0.1", port), ECONNREFUSED);
    EXPECT_TRUE(idle.at_end());
    EXPECT_TRUE(half_sent.at_end());
}

TEST(Server, EverySocketIsCloseOnExec) {
    const auto dashboard = RunningDashboard::start();
    RawConnection connection{dashboard.port};
    connection.send(dashboard.request("GET", "/", {{"Host", "{host}"}}));
    ASSERT_EQ(connection.receive().status, 200);  // the accepted socket exists now

    int sockets = 0;
    for (const auto& entry : std::filesystem::directory_iterator{"/proc/self/fd"}) {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(entry.path(), error);
        if (error || !target.string().starts_with("socket:")) {
            continue;
        }
        ++sockets;
        const int descriptor = std::stoi(entry.path().filename().string());
        EXPECT_TRUE(::fcntl(descriptor, F_GETFD) & FD_CLOEXEC) << target;
    }
    EXPECT_GE(sockets, 3);  // listener, accepted and our own end
}

}  // namespace
}  // namespace pellamy::desktop::web::testing
