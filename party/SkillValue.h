// How a character stores one skill: its level plus a bonus that says its mastery, in 16 bits.
#pragma once

#include <cstdint>

namespace velmor {

// The stored form of a skill, as the character record holds it.
using SkillValue = std::uint16_t;

enum class Mastery { None, Normal, Expert, Master, Grandmaster };

// The shown form of a skill. The level is signed: stored values from 192 to 255 decode as
// Grandmaster with a level below zero, and the game's own files can hold them.
struct SkillLevel {
    Mastery mastery = Mastery::None;
    std::int32_t level = 0;

    friend bool operator==(const SkillLevel&, const SkillLevel&) = default;
};

// The bonus that a mastery adds to the level: Normal 0, Expert 64, Master 128, Grandmaster 256.
std::int32_t MasteryBonus(Mastery mastery);

// Level plus bonus, truncated to 16 bits; a skill without mastery is stored as 0 whatever its
// level.
SkillValue EncodeSkill(Mastery mastery, std::int32_t level);

// The reverse of EncodeSkill for levels 0 to 60. Grandmaster starts at 192, not 256, because the
// game reads every value from 192 up as Grandmaster.
SkillLevel DecodeSkill(SkillValue stored);

}  // namespace velmor
