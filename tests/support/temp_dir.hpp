#pragma once

#include <filesystem>
#include <string_view>

namespace pellamy::testing {

// A fresh directory below the system's temporary directory, removed with
// everything in it when it goes out of scope.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }

    // Writes a file below the directory, creating its parents, and returns its path.
    std::filesystem::path write(const std::filesystem::path& relative,
                                std::string_view content) const;

private:
    std::filesystem::path path_;
};

// Writes `text` to `file`, replacing it; `mode` sets the permission bits.
void write_file(const std::filesystem::path& file, std::string_view text,
                std::filesystem::perms mode = std::filesystem::perms{0644});

}  // namespace pellamy::testing
