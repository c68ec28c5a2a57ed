// Why a saved game could not be loaded or saved, or what a load noticed on its way, in the words
// that the player is shown in a "Velmor" message box.
#pragma once

#include <string>
#include <string_view>

#include "savegame/Messages.h"
#include "savegame/Result.h"

namespace velmor {

enum class GameErrorKind {
    cannotOpen,          // missing, read-only, held by another program, no rights
    cannotWritePicture,  // "image.pcx" cannot be created or emptied
    notAnArchive,
    noEntries,
    noHeader,   // the load goes on
    noPicture,  // the load goes on
    noParty,
    partyTooSmall,
    partyPastEnd,
    changedSinceLoad,  // the party in the file is no longer what was loaded
    backupFailed,
    fileFailed,  // a read, write or flush failed half-way
};

struct GameError {
    GameErrorKind kind = GameErrorKind::fileFailed;
    std::string message;

    friend bool operator==(const GameError&, const GameError&) = default;
};

inline GameError MakeError(GameErrorKind kind, std::string_view message) {
    return {kind, std::string(message)};
}

// A file operation that failed in the middle of a command.
inline GameError FileFailure(const IoError& error) {
    return {GameErrorKind::fileFailed, "ERROR: " + error.message + "!"};
}

// A saved game that cannot be opened, and why: missing, read-only, in use by another program.
inline GameError CannotOpen(const IoError& why) {
    return {GameErrorKind::cannotOpen, std::string(messages::kCannotOpenFile) + "\n" + why.message};
}

// What a save that is done could not make sure of, for a warning: `what` is on the disk, but the
// system did not confirm that its name is.
inline std::string NotConfirmed(std::string_view what, const IoError& why) {
    return "the system could not confirm that " + std::string(what) + " reached the disk (" +
           why.message + ")";
}

template <typename T = void>
using GameResult = Result<T, GameError>;

}  // namespace velmor
