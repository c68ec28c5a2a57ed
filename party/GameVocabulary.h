// The game's fixed names for classes, skills and spells, indexed as the character record
// stores them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace velmor {

inline constexpr std::size_t kClassCount = 16;
inline constexpr std::size_t kSkillCount = 39;
inline constexpr std::size_t kSpellCount = 132;
inline constexpr std::size_t kSpellsPerSchool = 11;

// clang-format off

// Classes come in pairs: the base class at an even index and its promoted form right after it.
inline constexpr std::array<std::string_view, kClassCount> kClassNames = {
    "Necromancer", "Lich",
    "Cleric", "Priest of the Sun",
    "Knight", "Champion",
    "Troll", "War Troll",
    "Minotaur", "Minotaur Lord",
    "Dark Elf", "Dark Elf Patriarch",
    "Vampire", "Nosferatu",
    "Dragon", "Great Wyrm",
};

// Entries 12 to 23 name the spell schools, in the order of the blocks of kSpellNames. The entries
// in angle brackets stand for slots that the game leaves unused; they are edited like any other.
inline constexpr std::array<std::string_view, kSkillCount> kSkillNames = {
    /*  0 */ "Staff", "Sword", "Dagger", "Axe",
    /*  4 */ "Spear", "Bow", "Mace", "<unused_skill_1>",
    /*  8 */ "Shield", "Leather", "Chain", "Plate",
    /* 12 */ "Fire Magic", "Air Magic", "Water Magic", "Earth Magic",
    /* 16 */ "Spirit Magic", "Mind Magic", "Body Magic", "Light Magic",
    /* 20 */ "Dark Magic", "Dark Elf Ability", "Vampire Ability", "Dragon Ability",
    /* 24 */ "ID Item", "Merchant", "Repair", "Bodybuilding",
    /* 28 */ "Meditation", "Perception", "Regeneration", "Disarm Trap",
    /* 32 */ "<unused_skill_2>", "<unused_skill_3>", "ID monster", "Armsmaster",
    /* 36 */ "<unused_skill_4>", "Alchemy", "Learning",
};

// One block of kSpellsPerSchool per school. Names repeat ("Charm", "Shield"): the index, never the
// text, identifies a spell.
inline constexpr std::array<std::string_view, kSpellCount> kSpellNames = {
    // 0 to 10: Fire Magic
    "Torch Light", "Fire Bolt", "Fire Resistance", "Fire Aura", "Haste", "Fireball", "Fire Spike",
    "Immolation", "Meteor Shower", "Inferno", "Incinerate",
    // 11 to 21: Air Magic
    "Wizard Eye", "Feather Fall", "Air Resistance", "Sparks", "Jump", "Shield", "Lightning Bolt",
    "Invisibility", "Implosion", "Fly", "Starburst",
    // 22 to 32: Water Magic
    "Awaken", "Poison Spray", "Water Resistance", "Ice Bolt", "Water Walk", "Recharge Item",
    "Acid Burst", "Enchant Item", "Town Portal", "Ice Blast", "Lloyd's Beacon",
    // 33 to 43: Earth Magic
    "Stun", "Slow", "Earth Resistance", "Deadly Swarm", "Stoneskin", "Blades", "Stone to Flesh",
    "Rock Blast", "Telekinesis", "Death Blossom", "Mass Distortion",
    // 44 to 54: Spirit Magic
    "Detect Life", "Bless", "Fate", "Turn Undead", "Remove Curse", "Preservation", "Heroism",
    "Spirit Lash", "Raise Dead", "Shared Life", "Resurrection",
    // 55 to 65: Mind Magic
    "Telepathy", "Remove Fear", "Mind Resistance", "Mind Blast", "Charm", "Cure Paralysis",
    "Berserk", "Mass Fear", "Cure Insanity", "Psychic Shock", "Enslave",
    // 66 to 76: Body Magic
    "Cure Weakness", "Heal", "Body Resistance", "Harm", "Regeneration", "Cure Poison",
    "Hammerhands", "Cure Disease", "Protection from Magic", "Flying Fist", "Power Cure",
    // 77 to 87: Light Magic
    "Light Bolt", "Destroy Undead", "Dispel Magic", "Paralyze", "Summon Wisp", "Day of the Gods",
    "Prismatic Light", "Day of Protection", "Hour of Power", "Sunray", "Divine Intervention",
    // 88 to 98: Dark Magic
    "Reanimate", "Toxic Cloud", "Vampiric Weapon", "Shrinking Ray", "Shrapmetal", "Control Undead",
    "Pain Reflection", "Dark Grasp", "Dragon Breath", "Armageddon", "Souldrinker",
    // 99 to 109: Dark Elf Ability
    "Glamour", "Travelers' Boon", "Blind", "Darkfire Bolt", "<dark_elf_unused_5>",
    "<dark_elf_unused_6>", "<dark_elf_unused_7>", "<dark_elf_unused_8>", "<dark_elf_unused_9>",
    "<dark_elf_unused_10>", "<dark_elf_unused_11>",
    // 110 to 120: Vampire Ability
    "Lifedrain", "Levitate", "Charm", "Mistform", "<vampire_unused_5>", "<vampire_unused_6>",
    "<vampire_unused_7>", "<vampire_unused_8>", "<vampire_unused_9>", "<vampire_unused_10>",
    "<vampire_unused_11>",
    // 121 to 131: Dragon Ability
    "Fear", "Flame Blast", "Flight", "Wing Buffet", "<dragon_unused_5>", "<dragon_unused_6>",
    "<dragon_unused_7>", "<dragon_unused_8>", "<dragon_unused_9>", "<dragon_unused_10>",
    "<dragon_unused_11>",
};

// clang-format on

// A name left out would move every later one to the wrong index, and leave the last one empty.
static_assert(std::ranges::none_of(kClassNames, &std::string_view::empty) &&
              std::ranges::none_of(kSkillNames, &std::string_view::empty) &&
              std::ranges::none_of(kSpellNames, &std::string_view::empty));

}  // namespace velmor
