#include <gtest/gtest.h>
#include <sys/stat.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/FileSystem.h"

namespace velmor {
namespace {

using test::Bytes;

// The exclusive open takes an existing file as it is, and only one editor at a time: a second
// open fails until the first is closed. Nothing else opens: a missing file is not created, and a
// read-only file, a folder and a named pipe are refused.
TEST(FileSystem, OpensOnlyAnExistingWritableFileForOneEditorAtATime) {
    const test::TemporaryDirectory dir;
    FileSystem& files = SystemFiles();
    EXPECT_FALSE(files.openExclusive(dir / "missing.dkv"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.dkv"));

    const auto path = dir / "game.dkv";
    test::WriteWholeFile(path, Bytes{1, 2, 3, 4, 5});
    auto first = files.openExclusive(path);
    ASSERT_TRUE(first);
    const auto second = files.openExclusive(path);
    ASSERT_FALSE(second);
    EXPECT_NE(second.error().message.find("game.dkv"), std::string::npos);
    first->reset();
    EXPECT_TRUE(files.openExclusive(path));
    EXPECT_EQ(test::ReadWholeFile(path), (Bytes{1, 2, 3, 4, 5})) << "taken as it is";

    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_FALSE(files.openExclusive(path)) << "read-only, even for the superuser";
    EXPECT_FALSE(files.openExclusive(dir.path()));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0666), 0);
    EXPECT_FALSE(files.openExclusive(dir / "pipe"));
}

}  // namespace
}  // namespace velmor
