// The checks that the load and the save both run on an archive they have opened, each with the
// message that refuses the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "savegame/GameError.h"
#include "savegame/SavedGameArchive.h"

namespace velmor {

// The load refuses an archive without entries; the save then searches the lead record alone.
enum class EmptyArchive { refuse, accept };

// Signature, entry count and directory.
GameResult<ArchiveDirectory> ReadCheckedDirectory(File& archive, EmptyArchive empty);

// The "party.bin" entry, found as the game finds it.
struct PartyPlace {
    std::size_t record = 0;  // in the directory: 0 is the lead record, j the entry j - 1
    std::string entryName;
    std::uint64_t position = 0;  // where its data begins in the file
    std::uint32_t size = 0;
};

// Refuses an archive without the entry (with `notFoundMessage`), and one whose party does not lie
// inside the entry and inside the file: the game's own files always pass, and a damaged or
// doctored one must not make the editor read zeros as characters or write past the entry.
GameResult<PartyPlace> LocateParty(const ArchiveDirectory& directory, std::uint64_t fileSize,
                                   std::string_view notFoundMessage);

}  // namespace velmor
