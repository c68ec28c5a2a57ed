// The party as the saved game holds it: five party-wide numbers and the 36 character records.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "party/CharacterRecord.h"
#include "party/PartyFields.h"

namespace velmor {

inline constexpr std::size_t kCharacterCount = 36;
inline constexpr std::size_t kPartyValuesSize = fields::kBankGold.end();

// Food, two numbers that the editor only carries, gold and bank gold.
class PartyValues {
public:
    using Bytes = std::array<std::uint8_t, kPartyValuesSize>;

    std::uint32_t number(const PartyField& field) const;
    void setNumber(const PartyField& field, std::uint32_t value);

    Bytes& bytes() { return m_bytes; }
    const Bytes& bytes() const { return m_bytes; }

    friend bool operator==(const PartyValues&, const PartyValues&) = default;

private:
    Bytes m_bytes{};
};

using CharacterTable = std::array<CharacterRecord, kCharacterCount>;

struct Party {
    PartyValues values;
    CharacterTable characters;

    friend bool operator==(const Party&, const Party&) = default;
};

// The 36 records as the one block of bytes that the file holds, back to back.
std::span<std::uint8_t> TableBytes(CharacterTable& table);
std::span<const std::uint8_t> TableBytes(const CharacterTable& table);

}  // namespace velmor
