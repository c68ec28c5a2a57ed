#include <gtest/gtest.h>

#include "party/SkillValue.h"

namespace velmor {
namespace {

TEST(SkillValue, DecodesByTheGamesThresholds) {
    using enum Mastery;
    // clang-format off
    const std::pair<SkillValue, SkillLevel> cases[] = {
        {0,   {None, 0}},        {5,   {Normal, 5}},        {63,    {Normal, 63}},
        {64,  {Expert, 0}},      {127, {Expert, 63}},       {128,   {Master, 0}},
        {191, {Master, 63}},     {192, {Grandmaster, -64}}, {255,   {Grandmaster, -1}},
        {256, {Grandmaster, 0}}, {400, {Grandmaster, 144}}, {65535, {Grandmaster, 65279}}};
    // clang-format on
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(DecodeSkill(stored), shown) << stored;
    }
}

// Level plus bonus in 16 bits, and nothing without a mastery. What the editor stores, it shows
// again unchanged, except level 0, which the game reads as an unlearned skill.
TEST(SkillValue, EncodesLevelPlusBonusAndReadsItBack) {
    const std::tuple<Mastery, std::int32_t, SkillValue> cases[] = {
        {Mastery::Normal, 0, 0},          {Mastery::Expert, 10, 74},
        {Mastery::Grandmaster, -56, 200}, {Mastery::None, 42, 0},
        {Mastery::Master, -200, 65464},   {Mastery::Grandmaster, 65535, 255}};
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
