#include "savegame/Backup.h"

#include "savegame/FileCopy.h"
#include "savegame/TemporaryFile.h"

namespace velmor {

std::filesystem::path BackupPathOf(const std::filesystem::path& game) {
    std::filesystem::path backup = game;
    backup += ".bak";
    return backup;
}

IoResult<> WriteBackup(FileSystem& files, File& game, const std::filesystem::path& gamePath) {
    const auto backup = BackupPathOf(gamePath);
    auto copy = TemporaryFile::CreateBeside(files, backup, gamePath);
    if (!copy) {
        return copy.error();
    }
    if (auto copied = CopyFile(game, copy->file()); !copied) {
        return copied;
    }
    return copy->replaceTarget();
}

}  // namespace velmor
