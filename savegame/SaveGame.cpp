#include "savegame/ArchiveChecks.h"
#include "savegame/GameCommands.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"

namespace velmor {
namespace {

// Finds party.bin afresh, since the file may have been rewritten since the load, and writes the
// working party there. Answers whether it wrote; a check that fails has shown its message and
// nothing was written.
IoResult<bool> WriteArchive(UserInterface& ui, const GameSession& session, GameFile& archive) {
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
    if (auto write = WriteParty(archive, **party, session.party.working, ui); !write) {
        return write.error();
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
        ShowError(ui, "ERROR: " + written.error().message + "!");
        return false;
    }
    return *written;
}

}  // namespace velmor
