#pragma once

#include <filesystem>
#include <string_view>

namespace pellamy::testing {

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes `text` to `file`, replacing it; `mode` sets the permission bits.
void write_file(const std::filesystem::path& file, std::string_view text,
                std::filesystem::perms mode = std::filesystem::perms{0644});

}  // namespace pellamy::testing
