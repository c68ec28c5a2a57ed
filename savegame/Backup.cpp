#include "savegame/Backup.h"

#include <string>

#include "savegame/FileCopy.h"
#include "savegame/TemporaryFile.h"

namespace velmor {
namespace {

// The longest name, in bytes, that the file systems which hold saved games take.
constexpr std::size_t kLongestName = 255;

}  // namespace

std::filesystem::path BackupPathOf(const std::filesystem::path& game) {
    constexpr std::u8string_view suffix = u8".bak";
    std::u8string name = game.filename().u8string();
    if (name.size() + suffix.size() > kLongestName) {
        name.resize(kLongestName - suffix.size());
        // Never in the middle of a character.
        while (!name.empty() && (name.back() & 0xC0) == 0x80) {
            name.pop_back();
        }
        if (!name.empty() && (name.back() & 0x80) != 0) {
            name.pop_back();
        }
    }
    return game.parent_path() / (name + std::u8string(suffix));
}

IoResult<> WriteBackup(FileSystem& files, File& game, const FileTraits& traits,
                       const std::filesystem::path& gamePath) {
    auto copy = TemporaryFile::CreateBeside(files, BackupPathOf(gamePath));
    if (!copy) {
        return copy.error();
    }
    if (auto given = copy->file().takeTraits(traits); !given) {
        return given;
    }
    if (auto copied = CopyFile(game, copy->file()); !copied) {
        return copied;
    }
    if (auto flushed = copy->file().flush(); !flushed) {
        return flushed;
    }
    return copy->replaceTarget();
}

}  // namespace velmor
