#pragma once

#include <filesystem>
#include <string_view>

namespace pellamy::testing {

// A fresh directory under the system's temporary folder, removed with everything
// in it when the object goes.
class TemporaryDirectory {
public:
    TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    ~TemporaryDirectory();

    const std::filesystem::path& path() const { return path_; }

    // Writes content to the relative path, creating its parent directories.
    void write(const std::filesystem::path& relative, std::string_view content) const;

private:
    std::filesystem::path path_;
};

}  // namespace pellamy::testing
