#include "config/data_home.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.hpp"

namespace pellamy::config {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

fs::perms permissions_of(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

TEST(DataHome, CreatesMissingParentsForTheOwnerOnly) {
    const TempDir temp;
    const fs::path home = temp.path() / "a" / "b" / "home";
    const auto prepared = data_home(home);
    ASSERT_TRUE(prepared.has_value()) << prepared.error().message;
    EXPECT_EQ(*prepared, fs::canonical(home));
    EXPECT_EQ(permissions_of(home), fs::perms::owner_all);
}

TEST(DataHome, RestrictsAnExistingDirectory) {
    const TempDir temp;
    const fs::path home = temp.path() / "home";
    fs::create_directory(home);
    fs::permissions(home, static_cast<fs::perms>(0755));
    ASSERT_TRUE(data_home(home).has_value());
    EXPECT_EQ(permissions_of(home), fs::perms::owner_all);
}

TEST(DataHome, MakesARelativePathCanonical) {
    const TempDir temp;
    fs::create_directory(temp.path() / "real");
    fs::create_directory_symlink(temp.path() / "real", temp.path() / "link");
    const fs::path previous = fs::current_path();
    fs::current_path(temp.path());
    const auto prepared = data_home("link/./home");
    fs::current_path(previous);
    ASSERT_TRUE(prepared.has_value()) << prepared.error().message;
    EXPECT_EQ(*prepared, fs::canonical(temp.path()) / "real" / "home");
}

TEST(DataHome, ReportsAStorageErrorWhenItCannotCreate) {
    const TempDir temp;
    const fs::path file = temp.path() / "file";
    testing::write_file(file, "not a directory");
    // Cut at its NUL byte this path would name a directory that can be made.
    const fs::path with_nul = temp.path() / std::string{"cut\0rest", 8};
    for (const fs::path& home : {file, file / "home", with_nul}) {
        const auto prepared = data_home(home);
        ASSERT_FALSE(prepared.has_value()) << home;
        EXPECT_FALSE(fs::exists(temp.path() / "cut"));
        EXPECT_EQ(prepared.error().message, "storage operation failed");
        ASSERT_TRUE(prepared.error().cause.has_value());
        EXPECT_EQ(prepared.error().cause->kind(), core::ErrorKind::Io);
    }
}

}  // namespace
}  // namespace pellamy::config
