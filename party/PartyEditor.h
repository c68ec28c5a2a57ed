// Every edit of the party, with its rules: the window and velmor-save only read what the player
// asked for and show what came of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "party/Party.h"
#include "party/SkillValue.h"

namespace velmor {

inline constexpr std::int32_t kMaxSkillLevel = 60;
// The lowest level that a Grandmaster's stored form reads back; no other mastery goes below 0.
inline constexpr std::int32_t kLowestGrandmasterLevel = -64;

struct NumberEdit {
    std::uint32_t stored = 0;
    bool capped = false;  // the number asked for was above the limit, so the limit was stored

    friend bool operator==(const NumberEdit&, const NumberEdit&) = default;
};

struct SkillEdit {
    SkillLevel stored;    // what the record holds now, decoded
    bool capped = false;  // the level asked for was outside what the mastery holds

    friend bool operator==(const SkillEdit&, const SkillEdit&) = default;
};

class PartyEditor {
public:
    explicit PartyEditor(Party& party) : m_party(party) {}

    // One of the twelve number fields. Above the field's limit the limit is stored; the limit
    // itself is no cap. Food, gold and bank gold belong to the party; the others go to
    // `character`, and nowhere without one.
    NumberEdit setNumber(const PartyField& field, std::optional<std::size_t> character,
                         std::uint32_t asked);

    // A skill as asked for, its level brought within what the mastery holds: 60 at the most;
    // at the least -64 for Grandmaster, whose stored form reads back levels down to -64, and 0
    // for the others. A skill without mastery is stored as 0.
    SkillEdit setSkill(std::size_t character, std::size_t skill, SkillLevel asked);

    // A level typed over the skill as the window shows it. Typing over level 0 learns the skill as
    // Normal, whatever mastery was shown; a level of 0 unlearns it. Answers what is stored, which
    // is what the window shows next.
    SkillEdit typeSkillLevel(std::size_t character, std::size_t skill, SkillLevel shown,
                             std::int32_t typed);

    // A click on a mastery button stores the shown level with that mastery, brought within what
    // the mastery holds as a typed level is: a level it cannot hold would read back as another
    // skill. Answers what is stored, whose level the window shows next; the clicked button stays
    // checked even where Normal at level 0 stores an unlearned skill.
    SkillEdit clickMastery(std::size_t character, std::size_t skill, Mastery clicked,
                           std::int32_t shownLevel);

    void setSpellLearned(std::size_t character, std::size_t spell, bool learned);

    // One step along the class pairs: promoting adds one to the class byte, demoting takes one
    // away, in 8 bits. Answers the new class byte.
    std::uint8_t stepClass(std::size_t character, bool promote);

    // Steps the class only when its promotion differs from `promoted`; answers whether it did.
    bool setPromoted(std::size_t character, bool promoted);

private:
    CharacterRecord& record(std::size_t character);

    Party& m_party;
};

}  // namespace velmor
