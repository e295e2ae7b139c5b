#pragma once

#include <cstdint>
#include <expected>
#include <memory>
#include <string>
#include <system_error>

namespace pellamy::desktop {
class Shared;
}

namespace pellamy::desktop::web {

// The dashboard: a loopback HTTP server on its own thread "desktop-webui".
// Destroying the handle stops it, abandoning requests in flight, and returns
// once the thread has ended and the port is closed.
class Server {
public:
    // Listens on 127.0.0.1:port (0: any free port) and starts serving. Errors
    // are the system's own, such as "Address already in use"; on error nothing
    // is left open or running.
    static std::expected<Server, std::error_code> start(std::uint16_t port,
                                                        std::shared_ptr<Shared> shared);

    Server(Server&&) noexcept;
    Server& operator=(Server&&) noexcept;
    ~Server();

    // http://127.0.0.1:PORT/#token=TOKEN, with the port actually bound.
    const std::string& url() const { return url_; }

private:
    struct Runtime;

    Server(std::unique_ptr<Runtime> runtime, std::string url);

    std::unique_ptr<Runtime> runtime_;
    std::string url_;
};

}  // namespace pellamy::desktop::web
