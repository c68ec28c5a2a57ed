// Where the party lies inside the archive's "party.bin" entry, and how it is read and written.
#pragma once

#include <cstdint>

#include "party/Party.h"
#include "savegame/FileSystem.h"
#include "savegame/Progress.h"

namespace velmor {

inline constexpr std::uint64_t kPartyValuesOffset = 1848;
inline constexpr std::uint64_t kCharacterTableOffset = 2700;
// The entry must reach at least to the end of the last record.
inline constexpr std::uint64_t kPartyEntryMinimumSize =
    kCharacterTableOffset + kCharacterCount * kCharacterRecordSize;

// Reads the party values and the 36 records found at `dataPosition`, each block in one read.
// Bytes that the file does not have are read as zero.
IoResult<> ReadParty(File& file, std::uint64_t dataPosition, Party& into, ProgressSink& progress);

// Puts the party's two blocks into the data of a "party.bin" entry at least
// kPartyEntryMinimumSize long, for a saved game being made.
void PlaceParty(std::span<std::uint8_t> entryData, const Party& party);

// Writes the same two ranges back, and nothing else.
IoResult<> WriteParty(File& file, std::uint64_t dataPosition, const Party& party,
                      ProgressSink& progress);

}  // namespace velmor
