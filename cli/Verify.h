// Checks that a saved game is one the editor handles as it should, and tells what is unusual.
#pragma once

#include <string>
#include <vector>

#include "savegame/SavedGame.h"

namespace velmor::cli {

// Everything about the game that works but is not as the game itself writes it, and what its load
// said on the way.
std::vector<std::string> UnusualThings(const SavedGame& game,
                                       const std::vector<GameError>& loadMessages);

}  // namespace velmor::cli
