#include "savegame/ArchiveChecks.h"
#include "savegame/Backup.h"
#include "savegame/GameCommands.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {
namespace {

// Finds party.bin afresh, since the file may have been rewritten since the load, and writes the
// working party there, after the first save since the load has made the backup. Answers whether
// it wrote; a check that fails has shown its message and nothing was written.
IoResult<bool> WriteArchive(UserInterface& ui, GameSession& session, GameFile& archive) {
    const auto directory = ReadCheckedDirectory(ui, archive, EmptyArchive::accept);
    if (!directory) {
        return directory.error();
    }
    if (!*directory) {
        return false;
    }
    const auto party = LocateParty(ui, archive, **directory, messages::kNoPartyEntryOnSave);
    if (!party) {
        return party.error();
    }
    if (!*party) {
        return false;
    }
    if (!session.backupMade) {
        const auto backup = BackupPathOf(session.g_currentPath);
        if (auto made = WriteBackup(archive, backup); !made) {
            ShowError(ui, "ERROR: cannot write the backup copy \"" + DisplayPath(backup) +
                              "\", so nothing was saved!\n" + made.error().message);
            return false;
        }
        session.backupMade = true;
    }
    if (auto write = WriteParty(archive, **party, session.party.working, ui); !write) {
        return write.error();
    }
    // "Save successful!" is only true once the party is on the disk.
    if (auto flushed = archive.flush(); !flushed) {
        return flushed.error();
    }
    return true;
}

}  // namespace

bool SaveGame(UserInterface& ui, GameSession& session) {
    if (ui.showMessage(messages::kSaveQuestion, kMessageCaption, MessageStyle::yesNo) !=
        MessageAnswer::yes) {
        return false;
    }
    auto archive = GameFile::OpenExclusive(session.g_currentPath);
    if (!archive) {
        ShowError(ui, messages::kCannotOpenFile);
        return false;
    }
    const auto written = WriteArchive(ui, session, *archive);
    if (!written) {
        std::string message = "ERROR: " + written.error().message + "!";
        if (session.backupMade) {
            message += "\nThe saved game as it was loaded is kept in \"" +
                       DisplayPath(BackupPathOf(session.g_currentPath)) + "\".";
        }
        ShowError(ui, message);
        return false;
    }
    return *written;
}

}  // namespace velmor
