// Everything the editor knows about the saved game it has loaded. The application owns one for
// its whole run; tests make a fresh one each.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "savegame/PartyData.h"

namespace velmor {

inline constexpr std::size_t kHeaderTextSize = 20;

struct GameSession {
    std::filesystem::path g_currentPath;      // the saved game, as the player chose it
    std::filesystem::path g_currentFileName;  // its file-name part
    // The first 20 bytes of the "header.bin" entry up to the first zero byte, in the Western
    // Windows code page; the window title names the game by it.
    std::string headerText;
    // Set by every load whose file was chosen, even one that failed a check; cleared by a cancelled
    // choice and by Close. The edits store nothing while it is 0.
    std::uint32_t gameLoaded = 0;
    InMemoryParty party;
    // Whether a save since the last load has copied the game to its backup; later saves keep
    // that copy, so that it holds the game as it was loaded.
    bool backupMade = false;
    // Where every load copies the archive's preview picture: "image.pcx" in the working directory.
    // Nothing is copied without one, as when a script reads the game.
    std::optional<std::filesystem::path> imagePath = std::filesystem::path("image.pcx");
};

}  // namespace velmor
