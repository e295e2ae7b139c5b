#include "config/config_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "config/utf8.hpp"

namespace pellamy::config {
namespace {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), open_error_(fd_ < 0 ? errno : 0) {}
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int open_error() const { return open_error_; }

    // Up to `limit` bytes, or none on a read failure.
    std::optional<std::string> read(std::size_t limit) const {
        std::string bytes(limit, '\0');
        std::size_t filled = 0;
        while (filled < limit) {
            const ssize_t count = ::read(fd_, bytes.data() + filled, limit - filled);
            if (count == 0) {
                break;
            }
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return std::nullopt;
            }
            filled += static_cast<std::size_t>(count);
        }
        bytes.resize(filled);
        return bytes;
    }

private:
    int fd_;
    int open_error_;
};

}  // namespace

std::expected<std::optional<std::string>, Error> read_config_file(const std::filesystem::path& path,
                                                                  bool required) {
    const ReadOnlyFile file{path};
    if (file.open_error() != 0) {
        if (!required && file.open_error() == ENOENT) {
            return std::nullopt;
        }
        return std::unexpected{Error{"Could not read configuration file"}};
    }
    auto text = file.read(config_size_limit + 1);
    if (!text || !is_utf8(*text)) {
        return std::unexpected{Error{"Configuration must be UTF-8 text"}};
    }
    if (text->size() > config_size_limit) {
        return std::unexpected{Error{"Configuration exceeds 64 KiB"}};
    }
    return std::optional{std::move(*text)};
}

}  // namespace pellamy::config
