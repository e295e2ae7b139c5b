#include "i18n/stored_preference.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <string_view>

#include "i18n/utf8.hpp"

namespace pellamy::i18n {
namespace {

constexpr std::size_t read_limit = 16;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Up to the limit, or none on a read failure.
std::optional<std::string> read_head(const std::filesystem::path& file) {
    // Non-blocking so that a FIFO in place of the file cannot stall start-up.
    const FileDescriptor fd{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (fd.get() < 0) {
        return std::nullopt;
    }
    std::array<char, read_limit> buffer{};
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t count = ::read(fd.get(), buffer.data() + filled, buffer.size() - filled);
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
    return std::string{buffer.data(), filled};
}

}  // namespace

std::optional<Language> read_stored_preference(const std::filesystem::path& directory) {
    const auto head = read_head(directory / "language.txt");
    if (!head || !is_valid_utf8(*head)) {
        return std::nullopt;
    }
    return language_from_code(trim_white_space(*head));
}

}  // namespace pellamy::i18n
