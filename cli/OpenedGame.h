// A saved game loaded for a command: its party, and where things lie in the archive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "savegame/GameSession.h"

namespace velmor::cli {

struct ArchiveFacts {
    std::uint64_t fileSize = 0;
    std::uint32_t entryCount = 0;
    std::size_t partyRecord = 0;  // in the directory: 0 is the lead record, j the entry j - 1
    std::string partyEntryName;
    std::uint64_t partyPosition = 0;
    std::uint32_t partySize = 0;
};

struct OpenedGame {
    GameSession session;
    ArchiveFacts facts;
    std::vector<std::string> loadMessages;  // what the load said while it went on
};

// Loads the game as the window does, but copies no picture. When the load fails its messages
// have gone to `errors` and the answer is nothing. The party is large, so it stays where the load
// put it.
std::unique_ptr<OpenedGame> OpenGame(const std::filesystem::path& game, std::ostream& errors);

// Saves the working party back through the editor's own save: the exclusive open, the checks, the
// backup and the write that reaches the disk. Failure messages go to `errors`.
bool SaveOpenedGame(OpenedGame& game, std::ostream& errors);

}  // namespace velmor::cli
