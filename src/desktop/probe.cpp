#include "desktop/probe.hpp"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <boost/json/monotonic_resource.hpp>
#include <boost/json/parser.hpp>
#include <cerrno>

#include "desktop/process.hpp"
#include "desktop/tool.hpp"

namespace pellamy::desktop {
namespace {

namespace json = boost::json;
using std::chrono::steady_clock;

// A status document is a few hundred bytes; this bounds what a runaway
// grandchild still holding the pipe can make the tray keep in memory.
constexpr std::size_t output_limit = 1 << 20;

std::string os_error(int code) {
    return std::error_code{code, std::system_category()}.message();
}

// One running probe child with its deadline. Leaving it on any path kills and
// reaps a child that has not been reaped yet.
class Probe {
public:
    static std::expected<Probe, std::string> start(const Command& command) {
        auto child = spawn(command);
        if (!child) {
            return std::unexpected(child.error().message());
        }
        return Probe{std::move(*child), steady_clock::now() + probe_timeout};
    }

    // Checks the child every probe_poll until it ends.
    std::expected<ExitStatus, std::string> wait_for_exit(const Shared& shared) {
        for (;;) {
            if (expired(shared)) {
                return std::unexpected(std::string{probe_timed_out});
            }
            const auto status = child_.try_wait();
            if (!status) {
                return std::unexpected(status.error().message());
            }
            if (*status) {
                return **status;
            }
            child_.pause(probe_poll);
        }
    }

    // Reads standard output to its end. A grandchild may still hold the pipe
    // after the child exited, so the deadline and stop request still apply.
    std::expected<std::string, std::string> read_output(const Shared& shared) {
        std::string output;
        std::array<char, 16384> buffer{};
        pollfd readable{child_.output().get(), POLLIN, 0};
        for (;;) {
            if (expired(shared)) {
                return std::unexpected(std::string{probe_timed_out});
            }
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline_ - steady_clock::now());
            const int ready =
                ::poll(&readable, 1, static_cast<int>(std::clamp(left, {}, probe_poll).count()));
            if (ready <= 0) {
                if (ready < 0 && errno != EINTR) {
                    return std::unexpected(os_error(errno));
                }
                continue;
            }
            const ssize_t count = ::read(readable.fd, buffer.data(), buffer.size());
            if (count == 0) {
                return output;
            }
            if (count < 0) {
                if (errno != EINTR) {
                    return std::unexpected(os_error(errno));
                }
                continue;
            }
            if (output.size() + static_cast<std::size_t>(count) > output_limit) {
                return std::unexpected(std::string{"Status probe output too large"});
            }
            output.append(buffer.data(), static_cast<std::size_t>(count));
        }
    }

private:
    Probe(Child child, steady_clock::time_point deadline)
        : child_(std::move(child)), deadline_(deadline) {}

    bool expired(const Shared& shared) const {
        return shared.stop_requested() || steady_clock::now() >= deadline_;
    }

    Child child_;
    steady_clock::time_point deadline_;
};

}  // namespace

std::expected<DesktopStatus, std::string> parse_probe_output(std::string_view output) {
    // Stack space covers a usual document; larger ones spill onto the heap.
    std::array<unsigned char, 4096> storage{};
    std::array<unsigned char, 512> scratch{};
    json::monotonic_resource resource{storage.data(), storage.size()};
    json::parse_options options;
    options.max_depth = 128;
    json::parser parser{json::storage_ptr{}, options, scratch.data(), scratch.size()};
    parser.reset(&resource);

    boost::system::error_code error;
    parser.write(output.data(), output.size(), error);
    if (error) {
        return std::unexpected(error.message());
    }
    const json::value document = parser.release();
    const json::value* result = nullptr;
    if (const auto* object = document.if_object()) {
        result = object->if_contains("result");
    }
    return read_status(result != nullptr ? *result : json::value{});
}

std::expected<DesktopStatus, std::string> probe_status(
    const std::filesystem::path& tool, const std::filesystem::path& home,
    const std::optional<std::filesystem::path>& config_file, const Shared& shared) {
    Command command = tool_command(tool, home, config_file, "desktop-status");
    command.output = Stdio::Pipe;
    auto probe = Probe::start(command);
    if (!probe) {
        return std::unexpected(probe.error());
    }
    const auto status = probe->wait_for_exit(shared);
    if (!status) {
        return std::unexpected(status.error());
    }
    if (!status->success()) {
        return std::unexpected(std::string{daemon_unavailable});
    }
    const auto output = probe->read_output(shared);
    if (!output) {
        return std::unexpected(output.error());
    }
    return parse_probe_output(*output);
}

}  // namespace pellamy::desktop
