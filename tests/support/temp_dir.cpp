#include "support/temp_dir.hpp"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace pellamy::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pellamy-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error{"mkdtemp failed"};
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::write(const std::filesystem::path& relative,
                                     std::string_view content) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream{file, std::ios::binary}.write(content.data(),
                                                static_cast<std::streamsize>(content.size()));
    return file;
}

void write_file(const std::filesystem::path& file, std::string_view text,
                std::filesystem::perms mode) {
    {
        std::ofstream out{file, std::ios::binary | std::ios::trunc};
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + file.string());
        }
    }
    std::filesystem::permissions(file, mode);
}

}  // namespace pellamy::testing
