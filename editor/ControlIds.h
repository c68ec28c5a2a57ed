// The numeric IDs of the main window's controls, by which code and tests find them.
#pragma once

namespace velmor::ids {

inline constexpr int kNone = -1;  // frames, group boxes and pictures that nothing addresses

inline constexpr int kProgress = 1000;
inline constexpr int kCharacterList = 1002;
inline constexpr int kLoadGame = 1004;
inline constexpr int kExit = 1005;
inline constexpr int kSaveGame = 1006;
inline constexpr int kCloseGame = 1007;
inline constexpr int kGold = 1008;
inline constexpr int kFood = 1009;
inline constexpr int kCharacterLabel = 1010;
inline constexpr int kBankGold = 1011;
inline constexpr int kClassLabel = 1015;
inline constexpr int kClassName = 1016;
inline constexpr int kGoldSpin = 1017;
inline constexpr int kFoodSpin = 1018;
inline constexpr int kInfoPanel = 1019;
inline constexpr int kBankGoldSpin = 1020;
inline constexpr int kStatsGroup = 1023;
inline constexpr int kMightLabel = 1024;
inline constexpr int kIntellectLabel = 1025;
inline constexpr int kMight = 1026;
inline constexpr int kIntellect = 1027;
inline constexpr int kMightSpin = 1028;
inline constexpr int kIntellectSpin = 1029;
inline constexpr int kPersonalityLabel = 1030;
inline constexpr int kPersonality = 1031;
inline constexpr int kPersonalitySpin = 1032;
inline constexpr int kStatusLine = 1033;
inline constexpr int kEndurance = 1034;
inline constexpr int kEnduranceSpin = 1035;
inline constexpr int kSpeed = 1036;
inline constexpr int kSpeedSpin = 1037;
inline constexpr int kAccuracy = 1038;
inline constexpr int kAccuracySpin = 1039;
inline constexpr int kLuck = 1040;
inline constexpr int kLuckSpin = 1041;
inline constexpr int kEnduranceLabel = 1042;
inline constexpr int kAccuracyLabel = 1043;
inline constexpr int kSpeedLabel = 1044;
inline constexpr int kLuckLabel = 1045;
inline constexpr int kSkillsGroup = 1047;
inline constexpr int kSkillList = 1048;
inline constexpr int kLevelLabel = 1049;
inline constexpr int kSkillLevel = 1050;
inline constexpr int kSkillLevelSpin = 1051;
inline constexpr int kNormal = 1052;
inline constexpr int kExpert = 1053;
inline constexpr int kMaster = 1054;
inline constexpr int kGrandmaster = 1055;
inline constexpr int kSpellsGroup = 1056;
inline constexpr int kExperienceLabel = 1057;
inline constexpr int kExperience = 1058;
inline constexpr int kExperienceSpin = 1059;
inline constexpr int kSkillPoints = 1061;
inline constexpr int kSkillPointsSpin = 1062;
inline constexpr int kSkillPointsLabel = 1063;
inline constexpr int kSpellList = 1064;
inline constexpr int kLearned = 1065;
inline constexpr int kPanelFrame = 1066;
inline constexpr int kGoldPicture = 1067;
inline constexpr int kFoodPicture = 1068;
inline constexpr int kFireResistance = 1069;
inline constexpr int kFireResistanceLabel = 1070;
inline constexpr int kFireResistanceSpin = 1071;
inline constexpr int kAirResistanceLabel = 1072;
inline constexpr int kAirResistance = 1073;
inline constexpr int kAirResistanceSpin = 1074;
inline constexpr int kWaterResistanceLabel = 1075;
inline constexpr int kWaterResistance = 1076;
inline constexpr int kWaterResistanceSpin = 1077;
inline constexpr int kEarthResistanceLabel = 1078;
inline constexpr int kEarthResistance = 1079;
inline constexpr int kEarthResistanceSpin = 1080;
inline constexpr int kMindResistanceLabel = 1081;
inline constexpr int kMindResistance = 1082;
inline constexpr int kMindResistanceSpin = 1083;
inline constexpr int kBodyResistanceLabel = 1084;
inline constexpr int kBodyResistance = 1085;
inline constexpr int kBodyResistanceSpin = 1086;
inline constexpr int kBankGoldPicture = 1088;
inline constexpr int kPromoted = 1089;

}  // namespace velmor::ids

// The About box's own controls.
namespace velmor::ids::about {

inline constexpr int kOk = 1;
inline constexpr int kBanner = 1034;

}  // namespace velmor::ids::about
