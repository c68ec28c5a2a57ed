// Checks that a saved game is one the editor handles as it should, and tells what is unusual.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/OpenedGame.h"
#include "cli/Problem.h"

namespace velmor::cli {

// Everything about the game that works but is not as the game itself writes it.
std::vector<std::string> UnusualThings(const OpenedGame& game);

// Loads a copy of the game, saves it without edits, and answers how many bytes of the copy the
// save changed, which must be none. The game itself is neither written nor backed up.
Parsed<std::uint64_t> BytesChangedBySave(const std::filesystem::path& game, std::ostream& errors);

}  // namespace velmor::cli
