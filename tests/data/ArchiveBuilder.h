// Synthetic saved games for tests: any entries with any names and data, any lead record, any entry
// count, and a party entry with chosen values and records. Every byte the editor must carry
// unchanged is filled with noise, so that a write in the wrong place shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "party/Party.h"

namespace velmor::test {

using Bytes = std::vector<std::uint8_t>;

// Deterministic noise, different for every seed.
Bytes Noise(std::size_t size, std::uint32_t seed);

// A character record: the fields the editor reads hold plausible values for the seed, everything
// else is noise.
class RecordBuilder {
public:
    explicit RecordBuilder(std::uint32_t seed = 1);

    // Texts end with a zero byte when shorter than their field.
    RecordBuilder& name(std::string_view text) { return this->text(fields::kName, text); }
    RecordBuilder& infoText(std::string_view text) { return this->text(fields::kInfoText, text); }
    RecordBuilder& classIndex(std::uint8_t value);
    RecordBuilder& number(const PartyField& field, std::uint32_t value);
    RecordBuilder& skill(std::size_t skill, SkillValue value);
    // Any byte, not only the 0 and 1 that the editor writes.
    RecordBuilder& spellByte(std::size_t spell, std::uint8_t value);

    CharacterRecord build() const { return CharacterRecord(m_bytes); }

private:
    RecordBuilder& text(const PartyField& field, std::string_view text);

    // Written here byte by byte, apart from the record's own accessors that the tests check.
    CharacterRecord::Bytes m_bytes{};
};

// The data of a "party.bin" entry: noise around the party values and the 36 records.
class PartyBuilder {
public:
    // Records named "Hero 0" to "Hero 35"; food 100, gold 2000, bank gold 30000, and noise in the
    // two slots the editor does not show.
    PartyBuilder();

    PartyBuilder& value(const PartyField& field, std::uint32_t value) {
        m_party.values.setNumber(field, value);
        return *this;
    }
    PartyBuilder& record(std::size_t index, const CharacterRecord& record) {
        m_party.characters.at(index) = record;
        return *this;
    }
    // The entry's size; smaller than the party cuts the party short.
    PartyBuilder& size(std::size_t size) {
        m_size = size;
        return *this;
    }

    const Party& party() const { return m_party; }
    Bytes build() const;

private:
    Party m_party;
    std::size_t m_size;
};

// A whole archive. Entries are listed in the order added and their data follows the directory in
// the same order, unless an entry's record is given outright.
class ArchiveBuilder {
public:
    // Replaces the first bytes of the file, "LOD" by default.
    ArchiveBuilder& signature(std::string_view bytes) {
        return set(m_signature, std::string(bytes));
    }
    ArchiveBuilder& leadRecord(std::string_view name) { return set(m_lead, std::string(name)); }
    ArchiveBuilder& entry(std::string_view name, Bytes data) {
        m_entries.push_back({std::string(name), std::move(data)});
        return *this;
    }
    // A record pointing wherever the test says, with no data of its own.
    ArchiveBuilder& rawEntry(std::string_view name, std::uint32_t dataOffset,
                             std::uint32_t dataSize) {
        m_entries.push_back({std::string(name), {}, true, dataOffset, dataSize});
        return *this;
    }
    // Writes this count instead of the number of entries added.
    ArchiveBuilder& entryCount(std::uint32_t count) { return set(m_count, count); }
    // Noise between the directory and the first entry's data.
    ArchiveBuilder& gapAfterDirectory(std::size_t size) { return set(m_gap, size); }
    // Cuts the file to this many bytes.
    ArchiveBuilder& truncate(std::size_t size) { return set(m_truncateTo, size); }

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
    template <typename Member, typename Value>
    ArchiveBuilder& set(Member& member, Value value) {
        member = std::move(value);
        return *this;
    }

    std::string m_signature = "LOD";
    std::string m_lead;
    std::vector<Entry> m_entries;
    std::optional<std::uint32_t> m_count;
    std::size_t m_gap = 0;
    std::optional<std::size_t> m_truncateTo;
};

// Writes the party where the game keeps it in a party.bin entry whose data begins at
// `dataPosition` of `file`.
void PutParty(Bytes& file, std::uint64_t dataPosition, const Party& party);

Bytes ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace velmor::test
