// The rules that turn a typed skill level or a click on a mastery button into a stored skill.
#pragma once

#include <cstdint>

#include "party/SkillValue.h"

namespace velmor {

inline constexpr std::int32_t kMaxSkillLevel = 60;

struct SkillLevelEdit {
    Mastery mastery = Mastery::None;
    std::int32_t level = 0;
    bool levelChanged = false;  // the level differs from what was typed, so the field must show it
    SkillValue stored = 0;

    friend bool operator==(const SkillLevelEdit&, const SkillLevelEdit&) = default;
};

// A new level typed into the level field of a skill that showed `shownLevel` with `shownMastery`:
// - a skill whose level was 0 becomes Normal, whatever mastery it showed, so that typing a level
//   into an unlearned skill learns it;
// - a level of 0 unlearns the skill;
// - a level above 60 is stored as 60.
// A level below zero cannot be typed: the field takes digits only. The one that can arrive is a
// level shown from the saved game (a stored 192 to 255), and it is stored back as it was.
SkillLevelEdit EditSkillLevel(std::int32_t shownLevel, Mastery shownMastery,
                              std::int32_t typedLevel);

// A click on a mastery button stores the shown level with that mastery, as it stands: the level is
// not read again and not capped, so a click never changes the level the player sees.
inline SkillValue StoreMastery(Mastery clicked, std::int32_t shownLevel) {
    return EncodeSkill(clicked, shownLevel);
}

}  // namespace velmor
