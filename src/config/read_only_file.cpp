#include "config/read_only_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace pellamy::config {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), open_error_(fd_ < 0 ? errno : 0) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::optional<std::string> ReadOnlyFile::read(std::size_t limit) const {
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

}  // namespace pellamy::config
