// Where the party lies inside the archive's "party.bin" entry, and how it is read and placed.
#pragma once

#include <cstdint>
#include <span>

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
IoResult<> ReadParty(File& file, std::uint64_t dataPosition, Party& into,
                     ProgressSink& progress = IgnoredProgress());

// Writes the party values and the 36 records at `dataPosition`, into the file itself: the save's
// way when no new file can take the game's place.
IoResult<> WriteParty(File& file, std::uint64_t dataPosition, const Party& party,
                      ProgressSink& progress = IgnoredProgress());

// Puts the party's two blocks into `bytes`, a piece of a file that begins at `bytesAt`, for a
// "party.bin" entry whose data begins at `dataPosition`; what falls outside the piece is left out.
void PlaceParty(std::span<std::uint8_t> bytes, std::uint64_t bytesAt, std::uint64_t dataPosition,
                const Party& party);

}  // namespace velmor
