// A saved game opened by the editor: what the load found in it, the party to edit, and the save
// that writes the party back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "party/Party.h"
#include "savegame/ArchiveChecks.h"
#include "savegame/FileSystem.h"
#include "savegame/GameError.h"
#include "savegame/Progress.h"

namespace velmor {

struct OpenOptions {
    // Where the load copies the archive's preview picture: "image.pcx" in the working directory
    // for the window. Nothing is copied without one.
    std::optional<std::filesystem::path> picture = std::nullopt;
    // Keeps the game open and locked from the load to the save, so that nobody can change it in
    // between (velmor-save). The window lets go after the load, as the game itself may want the
    // file meanwhile, and opens it again to save.
    bool keepOpen = false;
    // The system's own files, unless a test brings others.
    FileSystem* files = nullptr;
};

// Where things lie in the archive, as the load found them.
struct ArchiveFacts {
    std::uint64_t fileSize = 0;
    std::uint32_t entryCount = 0;
    PartyPlace party;
};

class PictureFile;
class SavedGame;

struct LoadOutcome {
    std::unique_ptr<SavedGame> game;  // nothing when the load failed
    // What the player is told, in order: what the load noticed and went on past (no header, no
    // picture), then what ended it.
    std::vector<GameError> messages;
};

class SavedGame {
    struct Token {};  // only Open makes a saved game

public:
    // Opens the file, checks that it is a saved game, copies its picture and reads the party.
    static LoadOutcome Open(const std::filesystem::path& path, const OpenOptions& options = {},
                            ProgressSink& progress = IgnoredProgress());

    SavedGame(Token, std::filesystem::path path, FileSystem& files);
    SavedGame(const SavedGame&) = delete;
    SavedGame& operator=(const SavedGame&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The first 20 bytes of the "header.bin" entry up to the first zero byte, in the Western
    // Windows code page; empty without the entry.
    const std::string& headerText() const { return m_headerText; }
    const ArchiveFacts& facts() const { return m_facts; }

    // The party as edited. Nothing reaches the file before a save.
    Party& party() { return m_party; }
    const Party& party() const { return m_party; }

    // Writes the party back into the file: two ranges inside "party.bin", looked up afresh, and
    // no other byte. The first save since the load copies the game to its backup first. The game
    // is written whole beside itself and then put in its own place in one step, so that at every
    // instant, a crash included, the file holds either the game as it was or the game as saved.
    // A game whose party has changed on the disk since it was loaded is not saved over. After a
    // refusal or a failure the edits stay here for the next try.
    GameResult<> save(ProgressSink& progress = IgnoredProgress());

    // How many bytes a save would change, after the same checks as a save, writing nothing: none
    // for a game as it was loaded.
    GameResult<std::uint64_t> bytesASaveWouldChange();

private:
    GameResult<> read(File& archive, PictureFile* picture, ProgressSink& progress,
                      std::vector<GameError>& notices);
    // The game open and locked again, with the place of its party as the save finds it.
    GameResult<std::pair<FileHandle, PartyPlace>> openForSave();
    GameResult<> writeOver(FileHandle archive, const PartyPlace& party, ProgressSink& progress);

    std::filesystem::path m_path;
    FileSystem& m_files;
    FileHandle m_held;  // the open game, between a load that keeps it open and the save
    std::string m_headerText;
    ArchiveFacts m_facts;
    Party m_party;
    // The party as the file held it when it was last loaded or saved.
    Party m_onDisk;
    // Whether a save since the load has copied the game to its backup; later saves keep that
    // copy, so that it holds the game as it was loaded.
    bool m_backupMade = false;
};

}  // namespace velmor
