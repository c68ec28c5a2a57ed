#include "editor/ControlIds.h"
#include "editor/DialogTemplate.h"

namespace velmor {
namespace {

// clang-format off
constexpr ControlTemplate kMainWindowControls[] = {
    {ids::kLoadGame, ControlKind::pushButton, "&Load Game...", 10, 10, 38, 34},
    {ids::kSaveGame, ControlKind::pushButton, "&Save Game", 10, 46, 38, 34, false},
    {ids::kCloseGame, ControlKind::pushButton, "&Close Game", 52, 10, 38, 34, false},
    {ids::kExit, ControlKind::pushButton, "E&xit", 52, 46, 38, 34},
    {ids::kFoodPicture, ControlKind::picture, "food136", 342, 12, 30, 15},
    {ids::kFood, ControlKind::numberField, "", 340, 28, 34, 15, false},
    {ids::kFoodSpin, ControlKind::spin, "", 362, 28, 11, 15, false},
    {ids::kGoldPicture, ControlKind::picture, "gold137", 383, 12, 30, 15},
    {ids::kGold, ControlKind::numberField, "", 376, 28, 44, 15, false},
    {ids::kGoldSpin, ControlKind::spin, "", 410, 28, 11, 15, false},
    {ids::kBankGoldPicture, ControlKind::picture, "bank140", 368, 50, 28, 12},
    {ids::kBankGold, ControlKind::numberField, "", 360, 64, 44, 15, false},
    {ids::kBankGoldSpin, ControlKind::spin, "", 392, 64, 11, 15, false},
    {ids::kCharacterLabel, ControlKind::centredLabel, "Character", 16, 91, 80, 10},
    {ids::kCharacterList, ControlKind::dropDownList, "", 15, 100, 80, 70, false},
    {ids::kClassLabel, ControlKind::centredLabel, "Class", 16, 116, 80, 10},
    {ids::kClassName, ControlKind::classField, "", 16, 126, 79, 15, false},
    {ids::kPromoted, ControlKind::checkButton, "Promoted", 16, 141, 79, 14, false},
    {ids::kExperienceLabel, ControlKind::centredLabel, "Experience", 16, 158, 80, 10},
    {ids::kExperience, ControlKind::numberField, "", 15, 168, 80, 15, false},
    {ids::kExperienceSpin, ControlKind::spin, "", 84, 168, 11, 15, false},
    {ids::kSkillPointsLabel, ControlKind::centredLabel, "Skill Points", 16, 185, 80, 10},
    {ids::kSkillPoints, ControlKind::numberField, "", 16, 195, 80, 15, false},
    {ids::kSkillPointsSpin, ControlKind::spin, "", 84, 192, 11, 15, false},
    {ids::kMightLabel, ControlKind::label, "Might:", 105, 100, 40, 15},
    {ids::kMight, ControlKind::numberField, "", 145, 100, 40, 15, false},
    {ids::kMightSpin, ControlKind::spin, "", 165, 100, 11, 15, false},
    {ids::kIntellectLabel, ControlKind::label, "Intellect:", 105, 115, 40, 15},
    {ids::kIntellect, ControlKind::numberField, "", 145, 115, 40, 15, false},
    {ids::kIntellectSpin, ControlKind::spin, "", 165, 115, 11, 15, false},
    {ids::kPersonalityLabel, ControlKind::label, "Personality:", 105, 130, 40, 15},
    {ids::kPersonality, ControlKind::numberField, "", 145, 130, 40, 15, false},
    {ids::kPersonalitySpin, ControlKind::spin, "", 165, 130, 11, 15, false},
    {ids::kEnduranceLabel, ControlKind::label, "Endurance:", 105, 145, 40, 15},
    {ids::kEndurance, ControlKind::numberField, "", 145, 145, 40, 15, false},
    {ids::kEnduranceSpin, ControlKind::spin, "", 165, 145, 11, 15, false},
    {ids::kAccuracyLabel, ControlKind::label, "Accuracy:", 105, 160, 40, 15},
    {ids::kAccuracy, ControlKind::numberField, "", 145, 160, 40, 15, false},
    {ids::kAccuracySpin, ControlKind::spin, "", 165, 160, 11, 15, false},
    {ids::kSpeedLabel, ControlKind::label, "Speed:", 105, 175, 40, 15},
    {ids::kSpeed, ControlKind::numberField, "", 145, 175, 40, 15, false},
    {ids::kSpeedSpin, ControlKind::spin, "", 165, 175, 11, 15, false},
    {ids::kLuckLabel, ControlKind::label, "Luck:", 105, 190, 40, 15},
    {ids::kLuck, ControlKind::numberField, "", 145, 190, 40, 15, false},
    {ids::kLuckSpin, ControlKind::spin, "", 165, 190, 11, 15, false},
    {ids::kFireResistanceLabel, ControlKind::label, "Fire Resistance:", 205, 100, 60, 15},
    {ids::kFireResistance, ControlKind::numberField, "", 265, 100, 40, 15, false},
    {ids::kFireResistanceSpin, ControlKind::spin, "", 295, 100, 11, 15, false},
    {ids::kAirResistanceLabel, ControlKind::label, "Air Resistance:", 205, 118, 60, 15},
    {ids::kAirResistance, ControlKind::numberField, "", 265, 118, 40, 15, false},
    {ids::kAirResistanceSpin, ControlKind::spin, "", 295, 120, 11, 15, false},
    {ids::kWaterResistanceLabel, ControlKind::label, "Water Resistance:", 205, 136, 60, 15},
    {ids::kWaterResistance, ControlKind::numberField, "", 265, 136, 40, 15, false},
    {ids::kWaterResistanceSpin, ControlKind::spin, "", 295, 140, 11, 15, false},
    {ids::kEarthResistanceLabel, ControlKind::label, "Earth Resistance:", 205, 154, 60, 15},
    {ids::kEarthResistance, ControlKind::numberField, "", 265, 154, 40, 15, false},
    {ids::kEarthResistanceSpin, ControlKind::spin, "", 295, 160, 11, 15, false},
    {ids::kMindResistanceLabel, ControlKind::label, "Mind Resistance:", 205, 172, 60, 15},
    {ids::kMindResistance, ControlKind::numberField, "", 265, 172, 40, 15, false},
    {ids::kMindResistanceSpin, ControlKind::spin, "", 295, 175, 11, 15, false},
    {ids::kBodyResistanceLabel, ControlKind::label, "Body Resistance:", 205, 190, 60, 15},
    {ids::kBodyResistance, ControlKind::numberField, "", 265, 190, 40, 15, false},
    {ids::kBodyResistanceSpin, ControlKind::spin, "", 295, 190, 11, 15, false},
    {ids::kSkillList, ControlKind::dropDownList, "", 320, 100, 90, 140, false},
    {ids::kLevelLabel, ControlKind::label, "Level:", 320, 118, 45, 15},
    {ids::kSkillLevel, ControlKind::numberField, "", 366, 118, 45, 15, false},
    {ids::kSkillLevelSpin, ControlKind::spin, "", 400, 120, 11, 15, false},
    {ids::kNormal, ControlKind::masteryButton, "Normal", 320, 139, 90, 14, false},
    {ids::kExpert, ControlKind::masteryButton, "Expert", 320, 153, 90, 14, false},
    {ids::kMaster, ControlKind::masteryButton, "Master", 320, 167, 90, 14, false},
    {ids::kGrandmaster, ControlKind::masteryButton, "Grandmaster", 320, 181, 90, 14, false},
    {ids::kSpellList, ControlKind::dropDownList, "", 320, 212, 90, 120, false},
    {ids::kLearned, ControlKind::checkButton, "Learned", 320, 232, 90, 14, false},
    {ids::kInfoPanel, ControlKind::textPanel, "", 16, 215, 294, 35, false},
    {ids::kNone, ControlKind::etchedFrame, "", 5, 5, 420, 255},
    {ids::kNone, ControlKind::picture, "banner135", 94, 10, 242, 70},
    {ids::kPanelFrame, ControlKind::blackFrame, "", 10, 85, 410, 170},
    {ids::kSkillsGroup, ControlKind::groupBox, "Skills", 315, 90, 100, 110},
    {ids::kStatsGroup, ControlKind::groupBox, "Stats", 100, 90, 210, 120},
    {ids::kSpellsGroup, ControlKind::groupBox, "Spells", 316, 202, 100, 48},
    {ids::kProgress, ControlKind::progressBar, "", 1, 266, 430, 10},
    {ids::kStatusLine, ControlKind::statusLine, "", 1, 276, 430, 10},
};
// clang-format on

// clang-format off
// The notice lines, in template order; on the screen they read 1035, 1036, 1038, 1039, 1037, 1041.
constexpr ControlTemplate kAboutBoxControls[] = {
    {ids::about::kOk, ControlKind::defaultPushButton, "OK", 5, 205, 265, 14},
    {ids::about::kBanner, ControlKind::picture, "banner129", 21, 5, 235, 63},
    {1035, ControlKind::label, "Velmor Saved Game Editor, version 1.5", 5, 75, 265, 10},
    {1036, ControlKind::label, "Edits the party of a saved game of Velmor.", 5, 90, 265, 15},
    {1037, ControlKind::label, "Before the first save after each load, the editor copies the saved game to the same name with \".bak\" added.", 5, 145, 265, 25},
    {1038, ControlKind::label, "Food, gold, statistics, experience, skills, spells and classes of all 36 characters, written back into the same saved game.", 5, 110, 265, 25},
    {1039, ControlKind::label, "Keep copies of the saved games you care about.", 5, 135, 265, 10},
    {1041, ControlKind::label, "Free software, given as it is, without any warranty. Not made or endorsed by the makers of Velmor.", 5, 175, 265, 25},
};
// clang-format on

}  // namespace

const DialogTemplate kMainWindowTemplate = {"Velmor Saved Game Editor (v1.5)", 432, 286,
                                            kMainWindowControls};

const DialogTemplate kAboutBoxTemplate = {"Velmor Saved Game Editor [v1.5] - About", 277, 226,
                                          kAboutBoxControls};

}  // namespace velmor
