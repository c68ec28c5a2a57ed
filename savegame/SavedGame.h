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

class SavedGame;
class TemporaryFile;

struct LoadOutcome {
    std::unique_ptr<SavedGame> game;  // nothing when the load failed
    // What the player is told, in order: what the load noticed and went on past (no header, no
    // picture), then what ended it.
    std::vector<GameError> messages;
};

// What a save that is done leaves the player to know.
struct SaveReport {
    // The party went into the game's own file, because no new file could be all that the game's
    // file is: its owner or group, attributes that the editor may not set, other names (hard
    // links), or something mounted there. Nothing but the party changed, but a crash in the
    // middle leaves the game torn, and the backup then holds it as it was loaded.
    bool inPlace = false;
    // What the system could not confirm of a save that is done, in words for the player.
    std::vector<std::string> warnings;
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
    // Whether the party differs from what the file held when it was last loaded or saved.
    bool hasUnsavedChanges() const { return m_party != m_onDisk; }

    // Writes the party back into the file: two ranges inside "party.bin", looked up afresh, and
    // no other byte. The first save since the load copies the game to its backup first. The game
    // is written whole beside itself and then put in its own place in one step, so that at every
    // instant, a crash included, the file holds either the game as it was or the game as saved;
    // where that new file could not be all that the game's file is, the party is written into the
    // game's own file instead. A game whose party has changed on the disk since it was loaded, or
    // that anyone writes to while it is saved, is not saved over. After a refusal or a failure
    // the edits stay here for the next try.
    GameResult<SaveReport> save(ProgressSink& progress = IgnoredProgress());

    // How many bytes a save would change, after the same checks as a save, writing nothing: none
    // for a game as it was loaded.
    GameResult<std::uint64_t> bytesASaveWouldChange();

private:
    // The game as a save finds it: open and locked, where its party lies, and the stamp that any
    // write by anyone since would have changed.
    struct Opened {
        FileHandle archive;
        PartyPlace party;
        FileStamp stamp;
    };

    // The game open and locked again, after every check that a save makes before it writes.
    GameResult<Opened> openForSave();
    // Writes the game, once the backup is made: a new file in its place where one can be all
    // that the game's file is, the party into the game's own file where none can.
    GameResult<> writeGame(Opened game, const std::filesystem::path& target,
                           const FileTraits& traits, ProgressSink& progress, SaveReport& report);
    GameResult<> replaceGame(TemporaryFile& copy, Opened& game, const std::filesystem::path& target,
                             ProgressSink& progress, SaveReport& report);
    GameResult<> writeInPlace(Opened& game, const std::filesystem::path& target,
                              ProgressSink& progress, SaveReport& report);
    // A new file beside the game that has all its traits; nothing when the system does not let
    // the editor make one so.
    GameResult<std::optional<TemporaryFile>> makeReplacement(const std::filesystem::path& target,
                                                             const FileTraits& traits);
    // Whether the party in the file at `position` is the one last loaded or saved.
    IoResult<bool> partyIsAsLastSeen(File& archive, std::uint64_t position) const;
    // The last check before the game's file changes: nobody has written to it, or put another
    // file in its place, since the save began.
    GameResult<> checkUnchanged(Opened& game, const std::filesystem::path& target);

    std::filesystem::path m_path;
    FileSystem& m_files;
    FileHandle m_held;  // the open game, between a load that keeps it open and the save
    std::string m_headerText;
    ArchiveFacts m_facts;
    Party m_party;
    // The party as the file held it when it was last loaded or saved.
    Party m_onDisk;
    // Whether a save since the load has copied the game to its backup and is past its last check,
    // about to write the game; later saves keep that copy, so that it holds the game as it was
    // loaded.
    bool m_backupMade = false;
};

}  // namespace velmor
