// The saved-game archive: a "LOD" header, an entry count, a directory of 32-byte records naming
// the entries, and the entries' data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "savegame/FileSystem.h"

namespace velmor {

inline constexpr std::uint64_t kLeadRecordOffset = 256;
inline constexpr std::uint64_t kEntryCountOffset = 284;
// Entry records start here, and every entry's data offset counts from here too.
inline constexpr std::uint64_t kArchiveDataBase = 288;
inline constexpr std::size_t kArchiveEntrySize = 32;
inline constexpr std::size_t kArchiveEntryNameSize = 16;

// The directory holds the lead record and up to 4,999 entries. Larger counts are refused as
// corrupt: no saved game of the game comes near them, and refusing keeps a damaged count from
// making the editor read gigabytes.
inline constexpr std::size_t kDirectoryCapacity = 5000;
inline constexpr std::uint32_t kMaxEntryCount = kDirectoryCapacity - 1;

// One directory record; the lead record has the same shape.
struct ArchiveEntry {
    std::array<std::uint8_t, kArchiveEntrySize> bytes{};

    // Up to the first zero byte; all 16 bytes when none is zero.
    std::string_view name() const;
    std::uint32_t dataOffset() const;
    std::uint32_t dataSize() const;

    // For writing a record: the name is cut to 16 bytes and ends with a zero byte when shorter.
    void setName(std::string_view name);
    void setDataOffset(std::uint32_t offset);
    void setDataSize(std::uint32_t size);
    // Where the data begins in the file.
    std::uint64_t dataPosition() const { return kArchiveDataBase + dataOffset(); }
};

// Record 0 is the lead record; record j, from 1, is entry j - 1.
struct ArchiveDirectory {
    std::uint32_t count = 0;
    std::vector<ArchiveEntry> records;
};

// True when the file begins with "LOD"; a file shorter than three bytes fails.
IoResult<bool> HasArchiveSignature(File& file);

// The count at offset 284; bytes that the file does not have count as zero.
IoResult<std::uint32_t> ReadEntryCount(File& file);

// The lead record and `count` entries, in one read. Records that the file does not hold in full
// are filled with zero bytes. The caller refuses counts above kMaxEntryCount first.
IoResult<ArchiveDirectory> ReadDirectory(File& file, std::uint32_t count);

// The first record, lead record included, whose name contains `name`: "oldparty.bin" is found for
// "party.bin" ahead of a later "party.bin", as the game finds it.
std::optional<std::size_t> FindEntry(const ArchiveDirectory& directory, std::string_view name);

}  // namespace velmor
