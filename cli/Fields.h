// The fields of a saved game that the command line can change, named by paths such as
// "party.gold", "characters.3.might", "characters.0.skills.12", "characters.0.spells.59" and
// "characters.2.promoted". Skills and spells are named by index, never by name: names repeat.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "cli/Problem.h"
#include "party/PartyFields.h"
#include "party/SkillValue.h"

namespace velmor::cli {

struct PartyValueField {
    const PartyField* field;  // food, gold or bankGold
};
struct CharacterValueField {
    std::size_t character;
    const PartyField* field;  // a statistic, experience or skill points
};
struct SkillField {
    std::size_t character;
    std::size_t skill;
};
struct SpellField {
    std::size_t character;
    std::size_t spell;
};
struct PromotedField {
    std::size_t character;
};

using Field =
    std::variant<PartyValueField, CharacterValueField, SkillField, SpellField, PromotedField>;

// A number (saturated at the largest 32-bit number, so that it lands above every limit), a skill,
// or a yes-or-no for a spell or the promotion.
using Value = std::variant<std::uint32_t, SkillLevel, bool>;

std::string PathOf(const Field& field);

Parsed<Field> ParseFieldPath(std::string_view path);

// The text after "=": digits for numbers, "Mastery:Level" or "None" for skills, "learned" or
// "unlearned" (also true/false, 1/0) for spells, true or false for the promotion.
Parsed<Value> ParseValue(const Field& field, std::string_view text);

// "None", "Normal", "Expert", "Master", "Grandmaster".
std::string_view MasteryName(Mastery mastery);
Parsed<Mastery> ParseMastery(std::string_view name);

// A whole number of 0 or more, saturated above 32 bits.
Parsed<std::uint32_t> ParseNumber(std::string_view text);

// A skill as paths write it: "Expert:10", or "None" for an unlearned skill.
std::string SkillText(SkillLevel skill);

// A spell's flag with its stored byte: "learned (1)", "unlearned (2)".
std::string SpellText(std::uint8_t byte);

}  // namespace velmor::cli
