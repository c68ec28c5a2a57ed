// The twelve number fields that edit one value each, and the limit at which each is capped.
#pragma once

#include <cstdint>
#include <optional>

#include "party/CharacterRecord.h"

namespace velmor {

enum class ValueField {
    food,
    gold,
    bankGold,
    might,
    intellect,
    personality,
    endurance,
    accuracy,
    speed,
    luck,
    experience,
    skillPoints,
};

std::uint32_t ValueLimit(ValueField field);

struct CappedValue {
    std::uint32_t value = 0;
    bool capped = false;  // the typed number was above the limit, so the field must show the limit

    friend bool operator==(const CappedValue&, const CappedValue&) = default;
};

// Caps are silent: a number above the limit becomes the limit; the limit itself is not a cap.
CappedValue CapValue(ValueField field, std::uint32_t typed);

// The record field that a character value field edits; nothing for food, gold and bank gold,
// which belong to the party.
std::optional<CharacterNumber> CharacterNumberOf(ValueField field);

}  // namespace velmor
