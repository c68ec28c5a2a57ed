#include <gtest/gtest.h>
#include <sys/stat.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/GameFile.h"

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
};

TEST_F(GameFileTest, OpenCreatesNothingAndTruncatesNothing) {
    EXPECT_FALSE(GameFile::OpenExclusive(dir / "missing.dkv"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.dkv"));

    const auto path = fileWith(Bytes{1, 2, 3, 4, 5});
    {
        auto file = GameFile::OpenExclusive(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(*file->size(), 5u);
    }
    EXPECT_EQ(test::ReadWholeFile(path), (Bytes{1, 2, 3, 4, 5}));
}

// Two editors must never write one saved game at once.
TEST_F(GameFileTest, SecondOpenFailsUntilTheFirstCloses) {
    const auto path = fileWith(Bytes(10));
    auto first = GameFile::OpenExclusive(path);
    ASSERT_TRUE(first);
    const auto second = GameFile::OpenExclusive(path);
    ASSERT_FALSE(second);
    EXPECT_NE(second.error().message.find("game.dkv"), std::string::npos);
    first->close();
    EXPECT_TRUE(GameFile::OpenExclusive(path));
}

TEST_F(GameFileTest, ReadOnlyFilesAndNonFilesAreRefused) {
    const auto path = fileWith(Bytes(10));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_FALSE(GameFile::OpenExclusive(path));
    EXPECT_FALSE(GameFile::OpenExclusive(dir.path()));
    const auto pipe = dir / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    EXPECT_FALSE(GameFile::OpenExclusive(pipe));
}

TEST_F(GameFileTest, ReadAnswersTheCountReadAndStopsAtTheEnd) {
    auto file = *GameFile::OpenExclusive(fileWith(Bytes{1, 2, 3, 4, 5}));
    Bytes buffer(4, 0xEE);
    EXPECT_EQ(*file.readAt(3, buffer), 2u);
    EXPECT_EQ(buffer, (Bytes{4, 5, 0xEE, 0xEE}));
    EXPECT_EQ(*file.readAt(100, buffer), 0u);
}

TEST_F(GameFileTest, WriteOverwritesInPlace) {
    const auto path = fileWith(Bytes{1, 2, 3, 4, 5});
    {
        auto file = *GameFile::OpenExclusive(path);
        ASSERT_TRUE(file.writeAt(1, Bytes{9, 9}));
        ASSERT_TRUE(file.flush());
    }
    EXPECT_EQ(test::ReadWholeFile(path), (Bytes{1, 9, 9, 4, 5}));
}

TEST_F(GameFileTest, OpenForWritingCreatesAndSetLengthCuts) {
    const auto path = fileWith(Bytes(100, 7), "image.pcx");
    {
        auto file = GameFile::OpenForWriting(path);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->writeAt(0, Bytes{1}));
        ASSERT_TRUE(file->setLength(2));
    }
    EXPECT_EQ(test::ReadWholeFile(path), (Bytes{1, 7}));
    EXPECT_TRUE(GameFile::OpenForWriting(dir / "new.pcx"));
    EXPECT_TRUE(std::filesystem::exists(dir / "new.pcx"));
    EXPECT_FALSE(GameFile::OpenForWriting(dir / "no such folder" / "image.pcx"));
}

}  // namespace
}  // namespace velmor
