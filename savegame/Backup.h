// The copy of a saved game that the first save after a load makes before it writes a byte, so
// that the game as it was loaded can always be had back.
#pragma once

#include <filesystem>

#include "savegame/FileSystem.h"

namespace velmor {

// Beside the game, with ".bak" added to its whole name: "game.dkv.bak". A name too long for that
// is cut short first, so that every game that can be loaded can have a backup.
std::filesystem::path BackupPathOf(const std::filesystem::path& game);

// Copies the whole game, read through the file the save holds open, to its backup, which gets the
// game's traits as far as the system allows. An older backup, or anything else of that name, is
// replaced only once the new copy is complete and on the disk; its name reaches the disk once
// the folder is flushed.
IoResult<> WriteBackup(FileSystem& files, File& game, const FileTraits& traits,
                       const std::filesystem::path& gamePath);

}  // namespace velmor
