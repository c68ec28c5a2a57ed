#include <gtest/gtest.h>

#include <span>
#include <string>

#include "party/GameVocabulary.h"

namespace velmor {
namespace {

struct NameAt {
    std::span<const std::string_view> table;
    std::size_t index;
    std::string_view name;
};

// The names that are easiest to get wrong: case, apostrophes, placeholders, repeats, and the ends
// of each block.
TEST(GameVocabulary, NamesAreExactlyTheGames) {
    const NameAt cases[] = {
        {kClassNames, 0, "Necromancer"},
        {kClassNames, 1, "Lich"},
        {kClassNames, 3, "Priest of the Sun"},
        {kClassNames, 4, "Knight"},
        {kClassNames, 5, "Champion"},
        {kClassNames, 11, "Dark Elf Patriarch"},
        {kClassNames, 15, "Great Wyrm"},
        {kSkillNames, 0, "Staff"},
        {kSkillNames, 7, "<unused_skill_1>"},
        {kSkillNames, 8, "Shield"},
        {kSkillNames, 12, "Fire Magic"},
        {kSkillNames, 23, "Dragon Ability"},
        {kSkillNames, 30, "Regeneration"},
        {kSkillNames, 32, "<unused_skill_2>"},
        {kSkillNames, 33, "<unused_skill_3>"},
        {kSkillNames, 34, "ID monster"},
        {kSkillNames, 36, "<unused_skill_4>"},
        {kSkillNames, 38, "Learning"},
        {kSpellNames, 0, "Torch Light"},
        {kSpellNames, 10, "Incinerate"},
        {kSpellNames, 16, "Shield"},
        {kSpellNames, 32, "Lloyd's Beacon"},
        {kSpellNames, 59, "Charm"},
        {kSpellNames, 70, "Regeneration"},
        {kSpellNames, 74, "Protection from Magic"},
        {kSpellNames, 98, "Souldrinker"},
        {kSpellNames, 100, "Travelers' Boon"},
        {kSpellNames, 103, "<dark_elf_unused_5>"},
        {kSpellNames, 109, "<dark_elf_unused_11>"},
        {kSpellNames, 112, "Charm"},
        {kSpellNames, 114, "<vampire_unused_5>"},
        {kSpellNames, 124, "Wing Buffet"},
        {kSpellNames, 131, "<dragon_unused_11>"},
    };
    for (const auto& [table, index, name] : cases) {
        EXPECT_EQ(table[index], name) << "index " << index;
    }
}

}  // namespace
}  // namespace velmor
