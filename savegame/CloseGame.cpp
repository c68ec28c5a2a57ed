#include "savegame/GameCommands.h"

namespace velmor {

void CloseGame(GameSession& session) {
    session.g_currentFileName.clear();
    session.g_currentPath.clear();
    session.gameLoaded = 0;
}

}  // namespace velmor
