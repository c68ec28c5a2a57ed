// The three commands on the saved game: load, save and close.
#pragma once

#include "savegame/GameSession.h"
#include "savegame/UserInterface.h"

namespace velmor {

// Asks for a saved game, checks it, copies its preview picture to session.imagePath, and reads the
// party into the working copy. Answers true when the party was read; every failure has shown its
// message by then and leaves the working copy as it was.
bool LoadGame(UserInterface& ui, GameSession& session);

// Asks before it writes, then writes the working party back into the loaded saved game in place:
// two ranges inside "party.bin" and no other byte. Answers true when everything was written; the
// caller then tells the player so. After a refusal or a failure the edits stay in memory.
bool SaveGame(UserInterface& ui, GameSession& session);

// Forgets which game is loaded. The party data stays in memory, out of reach, until the next load
// replaces it.
void CloseGame(GameSession& session);

}  // namespace velmor
