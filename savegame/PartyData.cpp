#include "savegame/PartyData.h"

#include <type_traits>

#include "party/ByteOrder.h"

namespace velmor {
namespace {

std::optional<PartySlot> PartySlotOf(ValueField field) {
    switch (field) {
        case ValueField::food:
            return PartySlot::food;
        case ValueField::gold:
            return PartySlot::gold;
        case ValueField::bankGold:
            return PartySlot::bankGold;
        default:
            return std::nullopt;
    }
}

// A record is its bytes and nothing else, so the table is the file's block as it stands.
static_assert(sizeof(CharacterTable) == kCharacterCount * kCharacterRecordSize);
static_assert(std::is_trivially_copyable_v<CharacterTable>);

}  // namespace

std::uint32_t PartyValues::value(PartySlot slot) const {
    return ReadU32(m_bytes, 4 * static_cast<std::size_t>(slot));
}

void PartyValues::setValue(PartySlot slot, std::uint32_t value) {
    WriteU32(m_bytes, 4 * static_cast<std::size_t>(slot), value);
}

std::span<std::uint8_t> TableBytes(CharacterTable& table) {
    return {reinterpret_cast<std::uint8_t*>(table.data()), sizeof(CharacterTable)};
}

std::span<const std::uint8_t> TableBytes(const CharacterTable& table) {
    return {reinterpret_cast<const std::uint8_t*>(table.data()), sizeof(CharacterTable)};
}

CappedValue StoreValue(PartyCopy& party, std::optional<std::size_t> selectedCharacter,
                       ValueField field, std::uint32_t typed) {
    const CappedValue capped = CapValue(field, typed);
    if (const auto slot = PartySlotOf(field)) {
        party.values.setValue(*slot, capped.value);
    } else if (selectedCharacter && *selectedCharacter < kCharacterCount) {
        party.characters[*selectedCharacter].setNumber(*CharacterNumberOf(field), capped.value);
    }
    return capped;
}

}  // namespace velmor
