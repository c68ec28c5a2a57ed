#include <gtest/gtest.h>

#include <span>

#include "party/GameVocabulary.h"

namespace velmor {
namespace {

// The names that are easiest to get wrong: case, apostrophes, placeholders, repeats, and the ends
// of the tables and of their blocks.
TEST(GameVocabulary, NamesAreExactlyTheGames) {
    const std::tuple<std::span<const std::string_view>, std::size_t, std::string_view> cases[] = {
        {kClassNames, 0, "Necromancer"},
        {kClassNames, 3, "Priest of the Sun"},
        {kClassNames, 15, "Great Wyrm"},
        {kSkillNames, 7, "<unused_skill_1>"},
        {kSkillNames, 12, "Fire Magic"},
        {kSkillNames, 23, "Dragon Ability"},
        {kSkillNames, 34, "ID monster"},
        {kSkillNames, 38, "Learning"},
        {kSpellNames, 10, "Incinerate"},
        {kSpellNames, 32, "Lloyd's Beacon"},
        {kSpellNames, 59, "Charm"},
        {kSpellNames, 100, "Travelers' Boon"},
        {kSpellNames, 103, "<dark_elf_unused_5>"},
        {kSpellNames, 112, "Charm"},
        {kSpellNames, 124, "Wing Buffet"},
        {kSpellNames, 131, "<dragon_unused_11>"},
    };
    for (const auto& [table, index, name] : cases) {
        EXPECT_EQ(table[index], name) << "index " << index;
    }
}

}  // namespace
}  // namespace velmor
