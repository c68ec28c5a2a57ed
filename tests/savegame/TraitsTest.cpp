// What a save keeps of the game's file besides its bytes. A new file put in the game's place takes
// its permissions, group and extended attributes; where no new file could be all that the game's
// file is (another owner, other names, a mount), the party goes into the game's own file, after
// the backup. Saved by whoever may write the game, it stays its owner's.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include <functional>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/Backup.h"
#include "savegame/SavedGame.h"

namespace velmor {
namespace {

#ifdef _WIN32
TEST(Traits, ASaveKeepsWhatTheGamesFileIsBesidesItsBytes) {
    GTEST_SKIP() << "owners, groups, permission bits, extended attributes and mounts are POSIX's";
}
#else
using namespace test;
namespace fs = std::filesystem;

constexpr uid_t kOwner = 4201, kMember = 4202;
constexpr gid_t kGames = 4300;
constexpr char kNote[] = "user.velmor.note";

// What the test reads of a file, with the system's own calls.
struct Traits {
    uid_t owner;
    gid_t group;
    mode_t mode;
    std::string note;  // the extended attribute kNote

    friend bool operator==(const Traits&, const Traits&) = default;
};

Traits TraitsOf(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0);
    std::string note(64, '\0');
    const ssize_t size = ::getxattr(file.c_str(), kNote, note.data(), note.size());
    note.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
    return {status.st_uid, status.st_gid, status.st_mode & 07777, note};
}

// Becomes another user, with the games group among their groups.
bool BecomeUser(uid_t user, gid_t group) {
    const gid_t groups[] = {kGames};
    return ::setgroups(1, groups) == 0 && ::setgid(group) == 0 && ::setuid(user) == 0;
}

struct Case {
    const char* story;
    // Makes the game at `game` (and anything beside it) in `dir`, as the superuser.
    std::function<void(const fs::path& dir, const fs::path& game)> prepare;
    // Who saves and how they see the game, in the child that saves; false when this machine
    // cannot do it.
    std::function<bool(const fs::path& dir, const fs::path& game)> enter;
    bool inPlace;
    const char* holder = "game.dkv";  // the file that holds the game's bytes
};

TEST(Traits, ASaveKeepsWhatTheGamesFileIsBesidesItsBytes) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can make games of other users, and mounts";
    }
    const auto chown = [](const fs::path& file, uid_t user, gid_t group, mode_t mode) {
        ASSERT_EQ(::chown(file.c_str(), user, group), 0);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    };
    const auto asSuperuser = [](const fs::path&, const fs::path&) { return true; };
    const Case cases[] = {
        {"an extended attribute",
         [](const fs::path&, const fs::path& game) {
             ::chmod(game.c_str(), 0640);
             ASSERT_EQ(::setxattr(game.c_str(), kNote, "kept", 4, 0), 0);
         },
         asSuperuser, false},
        {"the owner saves, the game in another group of theirs",
         [&](const fs::path& dir, const fs::path& game) {
             chown(dir, kOwner, kGames, 0770);
             chown(game, kOwner, kGames, 0640);
         },
         [](const fs::path&, const fs::path&) { return BecomeUser(kOwner, kOwner); }, false},
        {"a member of the game's group saves it",
         [&](const fs::path& dir, const fs::path& game) {
             chown(dir, kOwner, kGames, 02770);
             chown(game, kOwner, kGames, 0660);
         },
         [](const fs::path&, const fs::path&) { return BecomeUser(kMember, kMember); }, true},
        {"the game has a second name",
         [](const fs::path& dir, const fs::path& game) {
             fs::create_hard_link(game, dir / "second.dkv");
         },
         asSuperuser, true, "second.dkv"},
        {"something is mounted at the game",
         [](const fs::path& dir, const fs::path& game) {
             fs::rename(game, dir / "mounted.dkv");
             WriteWholeFile(game, {});
         },
         [](const fs::path& dir, const fs::path& game) {
             return ::unshare(CLONE_NEWNS) == 0 &&
                    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                    ::mount((dir / "mounted.dkv").c_str(), game.c_str(), nullptr, MS_BIND,
                            nullptr) == 0;
         },
         true, "mounted.dkv"},
    };
    const ArchiveBuilder archive = ArchiveBuilder::Standard();
    const Bytes original = archive.build();
    Party edited = PartyBuilder().party();
    edited.values.setNumber(fields::kGold, 4321);
    Bytes saved = original;
    PutParty(saved, archive.dataPosition(2), edited);

    for (const Case& row : cases) {
        SCOPED_TRACE(row.story);
        const TemporaryDirectory top;
        fs::permissions(top.path(), fs::perms::owner_all | fs::perms::others_exec);
        const fs::path dir = top / "games", game = dir / "game.dkv";
        fs::create_directory(dir);
        archive.writeTo(game);
        row.prepare(dir, game);
        const fs::path holder = dir / row.holder;
        const Traits before = TraitsOf(holder);

        const pid_t child = ::fork();
        if (child == 0) {
            if (!row.enter(dir, game)) {
                ::_exit(3);
            }
            auto loaded = SavedGame::Open(game).game;
            if (!loaded) {
                ::_exit(4);
            }
            loaded->party() = edited;
            const auto result = loaded->save();
            ::_exit(!result ? 5 : result->inPlace ? 1 : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3) {
            std::cout << "skipped \"" << row.story
                      << "\": this machine does not let a test do it\n";
            continue;
        }
        ASSERT_LT(WEXITSTATUS(status), 2) << "the save failed";
        EXPECT_EQ(WEXITSTATUS(status) == 1, row.inPlace) << "written in place";
        EXPECT_TRUE(ReadWholeFile(holder) == saved);
        EXPECT_EQ(TraitsOf(holder), before);
        EXPECT_TRUE(ReadWholeFile(BackupPathOf(game)) == original);
    }
}
#endif

}  // namespace
}  // namespace velmor
