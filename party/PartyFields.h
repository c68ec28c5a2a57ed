// Every field of the party that the editor reads: its key in scripts and documents, where its
// bytes lie, how many there are, and the largest number an edit stores. Nothing else in the
// program spells out an offset or a limit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "party/GameVocabulary.h"

namespace velmor {

// The five numbers of the party values, or one character record.
enum class FieldOwner { party, character };

enum class FieldKind { number, text, classIndex, skills, spells };

struct PartyField {
    std::string_view key;
    FieldOwner owner;
    FieldKind kind;
    std::size_t offset;     // from the first byte of the party values, or of the record
    std::size_t size;       // bytes of one element, little-endian
    std::size_t count = 1;  // 39 skills, 132 spells, one of everything else
    // The largest number an edit stores; a larger one is stored as this. 0: never edited.
    std::uint32_t limit = 0;

    constexpr std::size_t end() const { return offset + size * count; }
    constexpr bool editable() const { return limit != 0; }
};

namespace fields {

// clang-format off
// The party values: five 32-bit numbers, two of which the editor only carries.
inline constexpr PartyField kFood{"food", FieldOwner::party, FieldKind::number, 0, 4, 1, 9'999'999};
inline constexpr PartyField kSlot1{"slot1", FieldOwner::party, FieldKind::number, 4, 4};
inline constexpr PartyField kSlot2{"slot2", FieldOwner::party, FieldKind::number, 8, 4};
inline constexpr PartyField kGold{"gold", FieldOwner::party, FieldKind::number, 12, 4, 1, 9'999'999};
inline constexpr PartyField kBankGold{"bankGold", FieldOwner::party, FieldKind::number, 16, 4, 1, 9'999'999};

// A character record. The statistics lie in the order Might, Intellect, Personality, Endurance,
// Speed, Accuracy, Luck, which is not the order of the window's rows.
inline constexpr PartyField kExperience{"experience", FieldOwner::character, FieldKind::number, 0, 4, 1, 999'999'999};
inline constexpr PartyField kName{"name", FieldOwner::character, FieldKind::text, 8, 32};
inline constexpr PartyField kInfoText{"infoText", FieldOwner::character, FieldKind::text, 40, 650};
inline constexpr PartyField kClass{"class", FieldOwner::character, FieldKind::classIndex, 690, 1};
inline constexpr PartyField kMight{"might", FieldOwner::character, FieldKind::number, 692, 4, 1, 255};
inline constexpr PartyField kIntellect{"intellect", FieldOwner::character, FieldKind::number, 696, 4, 1, 255};
inline constexpr PartyField kPersonality{"personality", FieldOwner::character, FieldKind::number, 700, 4, 1, 255};
inline constexpr PartyField kEndurance{"endurance", FieldOwner::character, FieldKind::number, 704, 4, 1, 255};
inline constexpr PartyField kSpeed{"speed", FieldOwner::character, FieldKind::number, 708, 4, 1, 255};
inline constexpr PartyField kAccuracy{"accuracy", FieldOwner::character, FieldKind::number, 712, 4, 1, 255};
inline constexpr PartyField kLuck{"luck", FieldOwner::character, FieldKind::number, 716, 4, 1, 255};
inline constexpr PartyField kSkills{"skills", FieldOwner::character, FieldKind::skills, 728, 2, kSkillCount};
inline constexpr PartyField kSpells{"spells", FieldOwner::character, FieldKind::spells, 870, 1, kSpellCount};
inline constexpr PartyField kSkillPoints{"skillPoints", FieldOwner::character, FieldKind::number, 6996, 4, 1, 60'000};
// clang-format on

// The fields in the order that documents list them.
inline constexpr std::array<const PartyField*, 5> kPartyValues = {&kFood, &kSlot1, &kSlot2, &kGold,
                                                                  &kBankGold};
inline constexpr std::array<const PartyField*, 14> kCharacter = {
    &kName,  &kInfoText, &kClass, &kMight,      &kIntellect,   &kPersonality, &kEndurance,
    &kSpeed, &kAccuracy, &kLuck,  &kExperience, &kSkillPoints, &kSkills,      &kSpells};

}  // namespace fields
}  // namespace velmor
