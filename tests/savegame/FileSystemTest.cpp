#include <gtest/gtest.h>
#include <sys/stat.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/FileSystem.h"

namespace velmor {
namespace {

using test::Bytes;

class GameFileTest : public ::testing::Test {
protected:
    std::filesystem::path fileWith(const Bytes& bytes, std::string_view name = "game.dkv") {
        const auto path = dir / name;
        test::WriteWholeFile(path, bytes);
        return path;
    }

    test::TemporaryDirectory dir;
    FileSystem& files = SystemFiles();
};

// An existing file, as it is: nothing created or truncated; reads stop at its end and answer
// how much they read; writes land in place.
TEST_F(GameFileTest, OpensAFileAsItIsAndReadsAndWritesInPlace) {
    EXPECT_FALSE(files.openExclusive(dir / "missing.dkv"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.dkv"));

    const auto path = fileWith(Bytes{1, 2, 3, 4, 5});
    {
        auto file = std::move(*files.openExclusive(path));
        EXPECT_EQ(*file->size(), 5u);
        Bytes buffer(4, 0xEE);
        EXPECT_EQ(*file->readAt(3, buffer), 2u);
        EXPECT_EQ(buffer, (Bytes{4, 5, 0xEE, 0xEE}));
        EXPECT_EQ(*file->readAt(100, buffer), 0u);
        ASSERT_TRUE(file->writeAt(1, Bytes{9, 9}));
        ASSERT_TRUE(file->flush());
    }
    EXPECT_EQ(test::ReadWholeFile(path), (Bytes{1, 9, 9, 4, 5}));
}

// Two editors must never write one saved game at once.
TEST_F(GameFileTest, SecondOpenFailsUntilTheFirstCloses) {
    const auto path = fileWith(Bytes(10));
    auto first = files.openExclusive(path);
    ASSERT_TRUE(first);
    const auto second = files.openExclusive(path);
    ASSERT_FALSE(second);
    EXPECT_NE(second.error().message.find("game.dkv"), std::string::npos);
    first->reset();
    EXPECT_TRUE(files.openExclusive(path));
}

TEST_F(GameFileTest, ReadOnlyFilesAndNonFilesAreRefused) {
    const auto path = fileWith(Bytes(10));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_FALSE(files.openExclusive(path));
    EXPECT_FALSE(files.openExclusive(dir.path()));
    const auto pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    EXPECT_FALSE(files.openExclusive(pipe));
}

}  // namespace
}  // namespace velmor
