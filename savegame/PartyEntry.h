// Where the party lies inside the archive's "party.bin" entry, and how it is read and written.
#pragma once

#include <cstdint>

#include "savegame/GameFile.h"
#include "savegame/PartyData.h"
#include "savegame/UserInterface.h"

namespace velmor {

inline constexpr std::uint64_t kPartyValuesOffset = 1848;
inline constexpr std::uint64_t kCharacterTableOffset = 2700;
// The entry must reach at least to the end of the last record.
inline constexpr std::uint64_t kPartyEntryMinimumSize =
    kCharacterTableOffset + kCharacterCount * kCharacterRecordSize;

// Reads the party values and the 36 records found at `dataPosition`, each block in one read.
// Bytes that the file does not have are read as zero.
IoResult<> ReadParty(GameFile& file, std::uint64_t dataPosition, PartyCopy& into,
                     ProgressSink& progress);

// Writes the same two ranges back, and nothing else.
IoResult<> WriteParty(GameFile& file, std::uint64_t dataPosition, const PartyCopy& party,
                      ProgressSink& progress);

}  // namespace velmor
