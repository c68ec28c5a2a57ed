// What differs between two saved games: the party values and character fields, one line each,
// and how many bytes differ besides.
#pragma once

#include <cstdint>
#include <vector>

#include "cli/Edits.h"
#include "savegame/SavedGame.h"

namespace velmor::cli {

struct GameDifference {
    std::vector<Change> fields;
    std::uint64_t otherPartyBytes = 0;  // inside party.bin, outside the fields listed
    // Outside party.bin; a file that ends early counts as different.
    std::uint64_t otherFileBytes = 0;

    bool none() const { return fields.empty() && otherPartyBytes == 0 && otherFileBytes == 0; }
};

// The bytes are compared in pieces, read from `fileA` and `fileB`, so that games of any size
// take little memory.
IoResult<GameDifference> DiffGames(const SavedGame& a, File& fileA, const SavedGame& b,
                                   File& fileB);

}  // namespace velmor::cli
