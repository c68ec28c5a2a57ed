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
        {124, {Mastery::Expert, 60}},
        {127, {Mastery::Expert, 63}},
        {128, {Mastery::Master, 0}},
        {138, {Mastery::Master, 10}},
        {188, {Mastery::Master, 60}},
        {191, {Mastery::Master, 63}},
        {192, {Mastery::Grandmaster, -64}},
        {200, {Mastery::Grandmaster, -56}},
        {255, {Mastery::Grandmaster, -1}},
        {256, {Mastery::Grandmaster, 0}},
        {316, {Mastery::Grandmaster, 60}},
        {400, {Mastery::Grandmaster, 144}},
        {65535, {Mastery::Grandmaster, 65279}},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(DecodeSkill(stored), shown) << stored;
    }
}

TEST(SkillValue, EncodesLevelPlusBonusInSixteenBits) {
    const std::tuple<Mastery, std::int32_t, SkillValue> cases[] = {
        {Mastery::Normal, 0, 0},         {Mastery::Normal, 7, 7},
        {Mastery::Expert, 10, 74},       {Mastery::Master, 12, 140},
        {Mastery::Grandmaster, 60, 316}, {Mastery::Grandmaster, -56, 200},
        {Mastery::None, 42, 0},          {Mastery::Expert, -64, 0},
        {Mastery::Master, -200, 65464},  {Mastery::Grandmaster, 65535, 255},
    };
    for (const auto& [mastery, level, stored] : cases) {
        EXPECT_EQ(EncodeSkill(mastery, level), stored) << level;
    }
}

// What the editor writes, it shows again unchanged: every mastery with every level it can store,
// except level 0, which the game reads as an unlearned skill.
TEST(SkillValue, EveryStorableSkillDecodesToItself) {
    for (const Mastery mastery :
         {Mastery::Normal, Mastery::Expert, Mastery::Master, Mastery::Grandmaster}) {
        for (std::int32_t level = 1; level <= 60; ++level) {
            EXPECT_EQ(DecodeSkill(EncodeSkill(mastery, level)), (SkillLevel{mastery, level}));
        }
    }
    EXPECT_EQ(DecodeSkill(EncodeSkill(Mastery::Normal, 0)), (SkillLevel{Mastery::None, 0}));
    EXPECT_EQ(DecodeSkill(EncodeSkill(Mastery::Expert, 0)), (SkillLevel{Mastery::Expert, 0}));
}

}  // namespace
}  // namespace velmor
