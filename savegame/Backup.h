// The copy of a saved game that the first save after a load makes before it writes a byte, so
// that the game as it was loaded can always be had back.
#pragma once

#include <filesystem>

#include "savegame/FileSystem.h"

namespace velmor {

// Beside the game, with ".bak" added to its whole name: "game.dkv.bak".
std::filesystem::path BackupPathOf(const std::filesystem::path& game);

// Copies the whole game, read through the file the save holds open, to its backup. An older
// backup, or anything else of that name, is replaced only once the new copy is complete and on
// the disk.
IoResult<> WriteBackup(FileSystem& files, File& game, const std::filesystem::path& gamePath);

}  // namespace velmor
