#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace pellamy::config {

// A file opened for reading (close-on-exec), closed when the object goes.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // The errno of a failed open, zero when the file is open.
    int open_error() const { return open_error_; }

    // Up to `limit` bytes, or none on a read failure.
    std::optional<std::string> read(std::size_t limit) const;

private:
    int fd_;
    int open_error_;
};

}  // namespace pellamy::config
