#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "party/ClassRules.h"
#include "party/PartyEditor.h"

namespace velmor {
namespace {

using namespace fields;

class PartyEditorTest : public ::testing::Test {
protected:
    Party party = test::PartyBuilder().party();
    PartyEditor editor{party};
};

// Above its limit a number is stored as the limit, silently; the limit itself is no cap.
TEST_F(PartyEditorTest, NumbersAreCappedAtTheirFieldsLimit) {
    const std::tuple<const PartyField&, std::uint32_t, NumberEdit> cases[] = {
        {kMight, 255, {255, false}},
        {kMight, 256, {255, true}},
        {kLuck, 0, {0, false}},
        {kSpeed, 0xFFFFFFFF, {255, true}},
        {kIntellect, 256, {255, true}},
        {kPersonality, 256, {255, true}},
        {kEndurance, 256, {255, true}},
        {kAccuracy, 256, {255, true}},
        {kFood, 9'999'999, {9'999'999, false}},
        {kFood, 10'000'000, {9'999'999, true}},
        {kGold, 10'000'000, {9'999'999, true}},
        {kBankGold, 10'000'000, {9'999'999, true}},
        {kExperience, 999'999'999, {999'999'999, false}},
        {kExperience, 1'000'000'000, {999'999'999, true}},
        {kSkillPoints, 60'001, {60'000, true}},
    };
    for (const auto& [field, asked, expected] : cases) {
        EXPECT_EQ(editor.setNumber(field, 3, asked), expected) << field.key << " " << asked;
        const std::uint32_t stored = field.owner == FieldOwner::party
                                         ? party.values.number(field)
                                         : party.characters[3].number(field);
        EXPECT_EQ(stored, expected.stored) << field.key;
    }
}

// Party values belong to nobody in particular; character values need a character.
TEST_F(PartyEditorTest, NumbersGoToTheirOwner) {
    const Party before = party;
    editor.setNumber(kMight, std::nullopt, 7);
    EXPECT_EQ(party, before) << "no character, nothing stored";
    editor.setNumber(kGold, std::nullopt, 5);
    EXPECT_EQ(party.values.number(kGold), 5u);
    editor.setNumber(kSpeed, 3, 201);
    EXPECT_EQ(party.characters[3].number(kSpeed), 201u);
    EXPECT_EQ(party.characters[4], before.characters[4]);
}

struct LevelTyped {
    const char* story;
    SkillLevel shown;
    std::int32_t typed;
    SkillValue stored;
};

TEST_F(PartyEditorTest, ATypedLevelFollowsTheSkillRules) {
    const LevelTyped cases[] = {
        {"a level typed into an unlearned skill learns it as Normal", {Mastery::None, 0}, 7, 7},
        {"Master 10 typed to 12 stays Master", {Mastery::Master, 10}, 12, 140},
        {"a level of 0 unlearns the skill", {Mastery::Master, 12}, 0, 0},
        {"Expert at level 0 becomes Normal when a level is typed", {Mastery::Expert, 0}, 5, 5},
        {"a level above 60 is stored as 60", {Mastery::Grandmaster, 20}, 75, 316},
        {"60 itself is no cap", {Mastery::Expert, 20}, 60, 124},
        {"a negative level shown from the file is stored back as it was",
         {Mastery::Grandmaster, -56},
         -56,
         200},
        {"a negative level shown before is not 0", {Mastery::Grandmaster, -56}, 3, 259},
        {"below -64 Grandmaster reads back another level, so -64 is stored",
         {Mastery::Grandmaster, -56},
         -560,
         192},
        {"below 0 the other masteries read back another level, so 0 is stored",
         {Mastery::Expert, -56},
         -5,
         64},
    };
    for (const auto& [story, shown, typed, stored] : cases) {
        const SkillEdit edit = editor.typeSkillLevel(0, 12, shown, typed);
        EXPECT_EQ(party.characters[0].skill(12), stored) << story;
        EXPECT_EQ(edit.stored, DecodeSkill(stored)) << story;
    }
}

// A click stores the shown level with the clicked mastery, uncapped: the level never changes.
TEST_F(PartyEditorTest, AMasteryClickKeepsTheShownLevel) {
    const std::tuple<Mastery, std::int32_t, SkillValue> cases[] = {
        {Mastery::Expert, 20, 84}, {Mastery::Grandmaster, 20, 276}, {Mastery::Expert, 0, 64},
        {Mastery::Normal, 0, 0},   {Mastery::Master, 70, 198},
    };
    for (const auto& [clicked, level, stored] : cases) {
        editor.clickMastery(1, 38, clicked, level);
        EXPECT_EQ(party.characters[1].skill(38), stored);
    }
}

TEST_F(PartyEditorTest, AScriptedSkillIsCappedAtSixty) {
    EXPECT_EQ(editor.setSkill(2, 0, {Mastery::Master, 75}),
              (SkillEdit{{Mastery::Master, 60}, true}));
    EXPECT_EQ(party.characters[2].skill(0), 188);
    EXPECT_EQ(editor.setSkill(2, 0, {Mastery::None, 30}), (SkillEdit{{Mastery::None, 0}, false}));
    EXPECT_EQ(party.characters[2].skill(0), 0);
}

// The class steps by one in 8 bits; the box's state, or the script's wish, says which way.
TEST_F(PartyEditorTest, PromotionStepsAlongTheClassPairs) {
    const std::tuple<std::uint8_t, bool, std::uint8_t> steps[] = {
        {4, true, 5}, {15, false, 14}, {255, true, 0}, {0, false, 255}};
    for (const auto& [from, promote, to] : steps) {
        party.characters[5].setClassIndex(from);
        EXPECT_EQ(editor.stepClass(5, promote), to);
        EXPECT_EQ(party.characters[5].classIndex(), to);
    }
    party.characters[5].setClassIndex(4);
    EXPECT_FALSE(editor.setPromoted(5, false)) << "a Knight is not promoted already";
    EXPECT_TRUE(editor.setPromoted(5, true));
    EXPECT_EQ(party.characters[5].classIndex(), 5);
    EXPECT_FALSE(editor.setPromoted(5, true));
}

TEST(ClassRules, NamesAndPromotionFollowTheClassPairs) {
    const std::tuple<std::uint8_t, std::string_view, bool> cases[] = {
        {0, "Necromancer", false},
        {1, "Lich", true},
        {4, "Knight", false},
        {5, "Champion", true},
        {14, "Dragon", false},
        {15, "Great Wyrm", true},
        {16, "<unknown class 16>", false},
        {17, "<unknown class 17>", false},
    };
    for (const auto& [classIndex, name, promoted] : cases) {
        EXPECT_EQ(ClassName(classIndex), name);
        EXPECT_EQ(IsPromoted(classIndex), promoted) << int{classIndex};
    }
}

}  // namespace
}  // namespace velmor
