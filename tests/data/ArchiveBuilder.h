// Synthetic saved games for tests: any entries with any names and data, any lead record, any entry
// count, and a party entry with chosen values and records. Every byte the editor must carry
// unchanged is filled with noise, so that a write in the wrong place shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "party/CharacterRecord.h"
#include "savegame/PartyData.h"

namespace velmor::test {

using Bytes = std::vector<std::uint8_t>;

// Deterministic noise, different for every seed.
Bytes Noise(std::size_t size, std::uint32_t seed);

// A character record: the fields the editor reads hold plausible values for the seed, everything
// else is noise.
class RecordBuilder {
public:
    explicit RecordBuilder(std::uint32_t seed = 1);

    RecordBuilder& name(std::string_view text);      // ended by a zero byte when shorter than 32
    RecordBuilder& infoText(std::string_view text);  // ended by a zero byte when shorter than 650
    RecordBuilder& classIndex(std::uint8_t value);
    RecordBuilder& number(CharacterNumber field, std::uint32_t value);
    RecordBuilder& skill(std::size_t skill, SkillValue value);
    RecordBuilder& spellByte(std::size_t spell, std::uint8_t value);

    CharacterRecord build() const { return CharacterRecord(m_bytes); }

private:
    RecordBuilder& text(std::size_t offset, std::size_t size, std::string_view text);

    CharacterRecord::Bytes m_bytes{};
};

// The data of a "party.bin" entry: noise around the party values and the 36 records.
class PartyBuilder {
public:
    // Records named "Hero 0" to "Hero 35"; food 100, gold 2000, bank gold 30000, and noise in the
    // two slots the editor does not show.
    PartyBuilder();

    PartyBuilder& value(PartySlot slot, std::uint32_t value);
    PartyBuilder& slot(std::size_t slot, std::uint32_t value);  // any of the five, 0 to 4
    PartyBuilder& record(std::size_t index, const CharacterRecord& record);
    // The entry's size; smaller than the party cuts the party short.
    PartyBuilder& size(std::size_t size);

    const PartyCopy& party() const { return m_party; }
    Bytes build() const;

private:
    PartyCopy m_party;
    std::size_t m_size;
};

// A whole archive. Entries are listed in the order added and their data follows the directory in
// the same order, unless an entry's record is given outright.
class ArchiveBuilder {
public:
    ArchiveBuilder();

    // Replaces the first bytes of the file, "LOD" by default.
    ArchiveBuilder& signature(std::string_view bytes);
    ArchiveBuilder& leadRecord(std::string_view name, std::uint32_t dataOffset = 0,
                               std::uint32_t dataSize = 0);
    ArchiveBuilder& entry(std::string_view name, Bytes data);
    // A record pointing wherever the test says, with no data of its own.
    ArchiveBuilder& rawEntry(std::string_view name, std::uint32_t dataOffset,
                             std::uint32_t dataSize);
    // Writes this count instead of the number of entries added.
    ArchiveBuilder& entryCount(std::uint32_t count);
    // Noise between the directory and the first entry's data.
    ArchiveBuilder& gapAfterDirectory(std::size_t size);
    // Cuts the file to this many bytes.
    ArchiveBuilder& truncate(std::size_t size);

    Bytes build() const;
    std::filesystem::path writeTo(const std::filesystem::path& path) const;

    // Where the data of the entry added as `index` begins in the built file.
    std::uint64_t dataPosition(std::size_t index) const;

    // A complete, valid saved game: header.bin, image.pcx and party.bin, in that order.
    static ArchiveBuilder Standard(const PartyBuilder& party = PartyBuilder(),
                                   std::string_view header = "My Game");

private:
    struct Entry {
        std::string name;
        Bytes data;
        bool raw = false;
        std::uint32_t dataOffset = 0;
        std::uint32_t dataSize = 0;
    };
    std::uint32_t dataOffsetOf(std::size_t index) const;

    std::string m_signature = "LOD";
    std::string m_leadName;
    std::uint32_t m_leadOffset = 0;
    std::uint32_t m_leadSize = 0;
    std::vector<Entry> m_entries;
    bool m_countGiven = false;
    std::uint32_t m_count = 0;
    std::size_t m_gap = 0;
    bool m_truncated = false;
    std::size_t m_truncateTo = 0;
};

Bytes ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace velmor::test
