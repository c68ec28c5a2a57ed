#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "party/ByteOrder.h"
#include "party/ClassRules.h"
#include "party/SkillEditing.h"
#include "party/ValueFields.h"
#include "savegame/PartyData.h"

namespace velmor {
namespace {

TEST(ValueFields, CapSilentlyAtEachFieldsLimit) {
    const std::tuple<ValueField, std::uint32_t, CappedValue> cases[] = {
        {ValueField::might, 255, {255, false}},
        {ValueField::might, 256, {255, true}},
        {ValueField::luck, 0, {0, false}},
        {ValueField::speed, 0xFFFFFFFF, {255, true}},
        {ValueField::food, 9'999'999, {9'999'999, false}},
        {ValueField::food, 10'000'000, {9'999'999, true}},
        {ValueField::gold, 10'000'000, {9'999'999, true}},
        {ValueField::bankGold, 10'000'000, {9'999'999, true}},
        {ValueField::experience, 999'999'999, {999'999'999, false}},
        {ValueField::experience, 1'000'000'000, {999'999'999, true}},
        {ValueField::skillPoints, 60'001, {60'000, true}},
    };
    for (const auto& [field, typed, expected] : cases) {
        EXPECT_EQ(CapValue(field, typed), expected) << typed;
    }
}

// The screen lists Accuracy above Speed; the record holds Speed first. Character fields go to the
// selected character only; party fields go to the party whoever is selected.
TEST(ValueFields, StoreReachesTheFieldsOwnDestination) {
    const PartyCopy before = test::PartyBuilder().party();
    PartyCopy party = before;
    EXPECT_EQ(StoreValue(party, std::nullopt, ValueField::might, 300), (CappedValue{255, true}));
    EXPECT_EQ(party, before) << "no character selected, nothing stored";
    StoreValue(party, std::nullopt, ValueField::gold, 5);
    StoreValue(party, 3, ValueField::speed, 201);
    StoreValue(party, 3, ValueField::accuracy, 202);
    EXPECT_EQ(party.values.value(PartySlot::gold), 5u);
    EXPECT_EQ(ReadU32(party.characters[3].bytes(), 708), 201u);
    EXPECT_EQ(ReadU32(party.characters[3].bytes(), 712), 202u);
}

struct LevelEditCase {
    const char* story;
    std::int32_t shownLevel;
    Mastery shownMastery;
    std::int32_t typed;
    SkillLevelEdit expected;
};

TEST(SkillEditing, TypedLevelFollowsTheThreeRules) {
    const LevelEditCase cases[] = {
        {"a level typed into an unlearned skill learns it",
         0,
         Mastery::None,
         7,
         {Mastery::Normal, 7, false, 7}},
        {"Master 10 typed to 12 stays Master",
         10,
         Mastery::Master,
         12,
         {Mastery::Master, 12, false, 140}},
        {"a level of 0 unlearns the skill", 12, Mastery::Master, 0, {Mastery::None, 0, false, 0}},
        {"Expert at level 0 becomes Normal when a level is typed",
         0,
         Mastery::Expert,
         5,
         {Mastery::Normal, 5, false, 5}},
        {"a level above 60 is stored as 60",
         20,
         Mastery::Grandmaster,
         75,
         {Mastery::Grandmaster, 60, true, 316}},
        {"60 itself is no cap", 20, Mastery::Expert, 60, {Mastery::Expert, 60, false, 124}},
        {"a negative level shown from the file is stored back as it was",
         -56,
         Mastery::Grandmaster,
         -56,
         {Mastery::Grandmaster, -56, false, 200}},
        {"a negative level shown before is not 0",
         -56,
         Mastery::Grandmaster,
         3,
         {Mastery::Grandmaster, 3, false, 259}},
    };
    for (const auto& [story, shownLevel, shownMastery, typed, expected] : cases) {
        EXPECT_EQ(EditSkillLevel(shownLevel, shownMastery, typed), expected) << story;
    }
}

TEST(SkillEditing, MasteryButtonStoresTheShownLevelUncapped) {
    const std::tuple<Mastery, std::int32_t, SkillValue> cases[] = {
        {Mastery::Expert, 20, 84}, {Mastery::Grandmaster, 20, 276}, {Mastery::Expert, 0, 64},
        {Mastery::Normal, 0, 0},   {Mastery::Master, 70, 198},
    };
    for (const auto& [clicked, level, stored] : cases) {
        EXPECT_EQ(StoreMastery(clicked, level), stored);
    }
}

TEST(ClassRules, NamesAndPromotionFollowTheClassPairs) {
    const std::tuple<std::uint8_t, std::string_view, bool> cases[] = {
        {0, "Necromancer", false},
        {1, "Lich", true},
        {4, "Knight", false},
        {5, "Champion", true},
        {15, "Great Wyrm", true},
        {16, "<unknown class 16>", false},
        {17, "<unknown class 17>", false},
    };
    for (const auto& [classIndex, name, promoted] : cases) {
        EXPECT_EQ(ClassName(classIndex), name);
        EXPECT_EQ(IsPromoted(classIndex), promoted) << int{classIndex};
    }
    // The box's new state says which way to step, in 8 bits.
    EXPECT_EQ(ClassAfterPromotedClick(4, true), 5);
    EXPECT_EQ(ClassAfterPromotedClick(15, false), 14);
    EXPECT_EQ(ClassAfterPromotedClick(255, true), 0);
    EXPECT_EQ(ClassAfterPromotedClick(0, false), 255);
}

}  // namespace
}  // namespace velmor
