#include <gtest/gtest.h>

#include "party/SkillValue.h"

namespace velmor {
namespace {

TEST(SkillValue, DecodesByTheGamesThresholds) {
    const std::pair<SkillValue, SkillLevel> cases[] = {
        {0, {Mastery::None, 0}},
        {5, {Mastery::Normal, 5}},
        {63, {Mastery::Normal, 63}},
        {64, {Mastery::Expert, 0}},
        {127, {Mastery::Expert, 63}},
        {128, {Mastery::Master, 0}},
        {191, {Mastery::Master, 63}},
        {192, {Mastery::Grandmaster, -64}},
        {255, {Mastery::Grandmaster, -1}},
        {256, {Mastery::Grandmaster, 0}},
        {400, {Mastery::Grandmaster, 144}},
        {65535, {Mastery::Grandmaster, 65279}},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(DecodeSkill(stored), shown) << stored;
    }
}

// Level plus bonus in 16 bits, and nothing without a mastery. What the editor stores, it shows
// again unchanged, except level 0, which the game reads as an unlearned skill.
TEST(SkillValue, EncodesLevelPlusBonusAndReadsItBack) {
    const std::tuple<Mastery, std::int32_t, SkillValue> cases[] = {
        {Mastery::Normal, 0, 0}, {Mastery::Expert, 10, 74},      {Mastery::Grandmaster, -56, 200},
        {Mastery::None, 42, 0},  {Mastery::Master, -200, 65464}, {Mastery::Grandmaster, 65535, 255},
    };
    for (const auto& [mastery, level, stored] : cases) {
        EXPECT_EQ(EncodeSkill(mastery, level), stored) << level;
    }
    for (const Mastery mastery :
         {Mastery::Normal, Mastery::Expert, Mastery::Master, Mastery::Grandmaster}) {
        for (std::int32_t level = 1; level <= 60; ++level) {
            EXPECT_EQ(DecodeSkill(EncodeSkill(mastery, level)), (SkillLevel{mastery, level}));
        }
    }
}

}  // namespace
}  // namespace velmor
