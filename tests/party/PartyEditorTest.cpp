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

// Above its limit a number is stored as the limit, silently; the limit itself is no cap. Party
// values belong to nobody in particular; character values need a character, and only it changes.
TEST_F(PartyEditorTest, NumbersAreCappedAtTheirLimitAndGoToTheirOwner) {
    const std::pair<const PartyField&, std::uint32_t> limits[] = {
        {kFood, 9'999'999},         {kGold, 9'999'999},
        {kBankGold, 9'999'999},     {kMight, 255},
        {kIntellect, 255},          {kPersonality, 255},
        {kEndurance, 255},          {kSpeed, 255},
        {kAccuracy, 255},           {kLuck, 255},
        {kExperience, 999'999'999}, {kSkillPoints, 60'000}};
    const Party before = party;
    for (const auto& [field, limit] : limits) {
        for (const std::uint32_t asked : {0u, limit, limit + 1, 0xFFFFFFFFu}) {
            EXPECT_EQ(editor.setNumber(field, 3, asked),
                      (NumberEdit{std::min(asked, limit), asked > limit}))
                << field.key << " " << asked;
            const std::uint32_t stored = field.owner == FieldOwner::party
                                             ? party.values.number(field)
                                             : party.characters[3].number(field);
            EXPECT_EQ(stored, std::min(asked, limit)) << field.key;
        }
        editor.setNumber(field, std::nullopt, 7);
    }
    EXPECT_EQ(party.values.number(kGold), 7u);
    party.characters[3] = before.characters[3];
    EXPECT_EQ(party.characters, before.characters) << "no character, nothing stored";
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
         64}};
    for (const auto& [story, shown, typed, stored] : cases) {
        const SkillEdit edit = editor.typeSkillLevel(0, 12, shown, typed);
        EXPECT_EQ(party.characters[0].skill(12), stored) << story;
        EXPECT_EQ(edit.stored, DecodeSkill(stored)) << story;
    }
}

struct MasteryClicked {
    const char* story;
    Mastery clicked;
    std::int32_t shown;
    SkillValue stored;
};

// A click stores the shown level with the clicked mastery. A level above 60, or one that the
// mastery cannot hold because it would read back as another skill, becomes the nearest level that
// it holds, up to 60; every other level is kept. What is stored reads back as the answer, with the
// clicked mastery, but for a skill at level 0 clicked to Normal, which stays unlearned.
TEST_F(PartyEditorTest, AMasteryClickStoresTheNearestLevelThatTheMasteryHolds) {
    const MasteryClicked cases[] = {
        {"Normal 20 clicked to Expert", Mastery::Expert, 20, 84},
        {"Expert 20 clicked to Grandmaster", Mastery::Grandmaster, 20, 276},
        {"a skill at level 0 is learned by Expert", Mastery::Expert, 0, 64},
        {"above 60, 60", Mastery::Master, 70, 188},
        {"Grandmaster -56 clicked to Normal: 0", Mastery::Normal, -56, 0},
        {"Grandmaster -56 clicked to Expert: 0", Mastery::Expert, -56, 64},
        {"Grandmaster -56 clicked to Master: 0", Mastery::Master, -56, 128},
        {"Grandmaster -56 clicked again stays", Mastery::Grandmaster, -56, 200},
        {"below -64, -64", Mastery::Grandmaster, -65, 192}};
    for (const auto& [story, clicked, shown, stored] : cases) {
        editor.clickMastery(1, 38, clicked, shown);
        EXPECT_EQ(party.characters[1].skill(38), stored) << story;
    }
    for (const Mastery clicked :
         {Mastery::Normal, Mastery::Expert, Mastery::Master, Mastery::Grandmaster}) {
        for (std::int32_t shown = -300; shown <= 300; ++shown) {
            const SkillEdit edit = editor.clickMastery(1, 38, clicked, shown);
            const SkillLevel readBack = DecodeSkill(party.characters[1].skill(38));
            const bool unlearned = clicked == Mastery::Normal && readBack.level == 0;
            ASSERT_TRUE(edit.stored == readBack &&
                        readBack.mastery == (unlearned ? Mastery::None : clicked))
                << static_cast<int>(clicked) << " " << shown;
            const bool held = shown <= kMaxSkillLevel && DecodeSkill(EncodeSkill(clicked, shown)) ==
                                                             SkillLevel{clicked, shown};
            ASSERT_EQ(edit.capped, !held && !(unlearned && shown == 0)) << shown;
            ASSERT_EQ(readBack.level == shown, !edit.capped) << shown;
        }
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

// A promoted class is marked "+".
TEST(ClassRules, NamesAndPromotionFollowTheClassPairs) {
    const std::uint8_t classes[] = {0, 1, 4, 5, 14, 15, 16, 17};
    std::string shown;
    for (const std::uint8_t classIndex : classes) {
        shown += ClassName(classIndex) + (IsPromoted(classIndex) ? "+," : ",");
    }
    EXPECT_EQ(shown,
              "Necromancer,Lich+,Knight,Champion+,Dragon,Great Wyrm+,<unknown class 16>,"
              "<unknown class 17>,");
}

}  // namespace
}  // namespace velmor
