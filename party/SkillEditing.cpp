#include "party/SkillEditing.h"

#include <algorithm>

namespace velmor {

SkillLevelEdit EditSkillLevel(std::int32_t shownLevel, Mastery shownMastery,
                              std::int32_t typedLevel) {
    SkillLevelEdit edit;
    edit.mastery = shownLevel == 0 ? Mastery::Normal : shownMastery;
    edit.level = std::min(typedLevel, kMaxSkillLevel);
    edit.levelChanged = edit.level != typedLevel;
    if (edit.level == 0) {
        edit.mastery = Mastery::None;
    }
    edit.stored = EncodeSkill(edit.mastery, edit.level);
    return edit;
}

}  // namespace velmor
