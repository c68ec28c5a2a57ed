// The party as the editor holds it: the party-wide values and the 36 character records, in a
// working copy that the window shows and edits, and a staging copy that a load fills first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "party/CharacterRecord.h"
#include "party/ValueFields.h"

namespace velmor {

inline constexpr std::size_t kCharacterCount = 36;
inline constexpr std::size_t kPartyValuesSize = 20;

// Five 32-bit numbers; each enumerator is its slot. The window neither shows nor changes slots 1
// and 2; they are carried.
enum class PartySlot : std::uint8_t { food = 0, slot1 = 1, slot2 = 2, gold = 3, bankGold = 4 };

class PartyValues {
public:
    using Bytes = std::array<std::uint8_t, kPartyValuesSize>;

    std::uint32_t value(PartySlot slot) const;
    void setValue(PartySlot slot, std::uint32_t value);

    Bytes& bytes() { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }

    friend bool operator==(const PartyValues&, const PartyValues&) = default;

private:
    Bytes m_bytes{};
};

using CharacterTable = std::array<CharacterRecord, kCharacterCount>;

struct PartyCopy {
    PartyValues values;
    CharacterTable characters;

    friend bool operator==(const PartyCopy&, const PartyCopy&) = default;
};

// The 36 records as the one block of bytes that the file holds, back to back.
std::span<std::uint8_t> TableBytes(CharacterTable& table);
std::span<const std::uint8_t> TableBytes(const CharacterTable& table);

struct InMemoryParty {
    PartyCopy working;
    PartyCopy staging;

    // Called once a load has passed every check and read everything, so that a failed load never
    // leaves the working copy half replaced.
    void commit() { working = staging; }
};

// Caps a value typed into one of the twelve number fields and stores it: food, gold and bank gold
// into the party values, the others into the selected character's record, and nowhere when no
// character is selected.
CappedValue StoreValue(PartyCopy& party, std::optional<std::size_t> selectedCharacter,
                       ValueField field, std::uint32_t typed);

}  // namespace velmor
