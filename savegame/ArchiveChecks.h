// The checks that the load and the save both run on an archive they have opened, each showing its
// message when it refuses the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "savegame/SavedGameArchive.h"
#include "savegame/UserInterface.h"

namespace velmor {

// The load refuses an archive without entries; the save then searches the lead record alone.
enum class EmptyArchive { refuse, accept };

// Signature, entry count and directory. Nothing when a check refused the file.
IoResult<std::optional<ArchiveDirectory>> ReadCheckedDirectory(UserInterface& ui, GameFile& archive,
                                                               EmptyArchive empty);

// Where the "party.bin" entry's data begins, or nothing when there is no such entry (after showing
// `notFoundMessage`) or when the whole party does not lie inside the entry and inside the file.
// The game's own files always pass the second check; a damaged or doctored one must not make the
// editor read zeros as characters or write past the entry.
IoResult<std::optional<std::uint64_t>> LocateParty(UserInterface& ui, GameFile& archive,
                                                   const ArchiveDirectory& directory,
                                                   std::string_view notFoundMessage);

}  // namespace velmor
