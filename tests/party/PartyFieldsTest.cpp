#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>

#include "data/ArchiveBuilder.h"
#include "party/Party.h"

namespace velmor {
namespace {

using test::RecordBuilder;

struct Place {
    std::string field;
    std::function<void(Party&)> write;
    std::size_t offset;  // in the party values block, or in record 0 after it
    std::size_t size;
};

// The bytes of the party values and of record 0, one block after the other.
std::vector<std::size_t> ChangedBytes(const Party& before, const Party& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < kPartyValuesSize; ++i) {
        if (before.values.bytes()[i] != after.values.bytes()[i]) {
            changed.push_back(i);
        }
    }
    for (std::size_t i = 0; i < kCharacterRecordSize; ++i) {
        if (before.characters[0].bytes()[i] != after.characters[0].bytes()[i]) {
            changed.push_back(kPartyValuesSize + i);
        }
    }
    return changed;
}

// Where the game keeps each field. A write lands on exactly the field's own bytes, little-endian,
// and on no other byte of the party.
TEST(PartyFields, EachWriteLandsOnItsOwnBytesOnly) {
    using namespace fields;
    const auto number = [](const PartyField& field) {
        return [&field](Party& party) {
            if (field.owner == FieldOwner::party) {
                party.values.setNumber(field, 0xA1B2C3D4);
            } else {
                party.characters[0].setNumber(field, 0xA1B2C3D4);
            }
        };
    };
    const std::size_t record = kPartyValuesSize;
    const Place places[] = {
        {"food", number(kFood), 0, 4},
        {"gold", number(kGold), 12, 4},
        {"bank gold", number(kBankGold), 16, 4},
        {"experience", number(kExperience), record + 0, 4},
        {"might", number(kMight), record + 692, 4},
        {"intellect", number(kIntellect), record + 696, 4},
        {"personality", number(kPersonality), record + 700, 4},
        {"endurance", number(kEndurance), record + 704, 4},
        {"speed", number(kSpeed), record + 708, 4},
        {"accuracy", number(kAccuracy), record + 712, 4},
        {"luck", number(kLuck), record + 716, 4},
        {"skill points", number(kSkillPoints), record + 6996, 4},
        {"class", [](Party& p) { p.characters[0].setClassIndex(0xA1); }, record + 690, 1},
        {"skill 0", [](Party& p) { p.characters[0].setSkill(0, 0xA1B2); }, record + 728, 2},
        {"skill 38", [](Party& p) { p.characters[0].setSkill(38, 0xA1B2); }, record + 804, 2},
        {"spell 0", [](Party& p) { p.characters[0].setSpellLearned(0, true); }, record + 870, 1},
        {"spell 131", [](Party& p) { p.characters[0].setSpellLearned(131, true); }, record + 1001,
         1},
    };
    const Party before;  // all zero, so every byte a write touches differs afterwards
    for (const auto& [field, write, offset, size] : places) {
        Party after = before;
        write(after);
        std::vector<std::size_t> expected(size);
        std::iota(expected.begin(), expected.end(), offset);
        EXPECT_EQ(ChangedBytes(before, after), expected) << field;
    }
    Party party;
    party.characters[0].setNumber(kMight, 0x04030201);
    EXPECT_EQ(party.characters[0].bytes()[692], 0x01) << "little-endian";
    EXPECT_EQ(party.characters[0].number(kMight), 0x04030201u);
}

TEST(PartyFields, TextsEndAtTheirZeroByteOrTheirFieldsEnd) {
    const std::string fullName(32, 'N');
    const std::string fullInfo(650, 'I');
    // With no zero byte anywhere, the name must not run on into the info text, nor the info
    // text into the class byte.
    const auto full = RecordBuilder().name(fullName).infoText(fullInfo).classIndex('C').build();
    EXPECT_EQ(full.name(), fullName);
    EXPECT_EQ(full.infoText(), fullInfo);
    const auto shortTexts = RecordBuilder().name("Ayla").infoText("").build();
    EXPECT_EQ(shortTexts.name(), "Ayla");
    EXPECT_EQ(shortTexts.infoText(), "");
}

TEST(PartyFields, OnlyASpellByteOfExactlyOneIsLearned) {
    const std::pair<std::uint8_t, bool> cases[] = {{0, false}, {1, true}, {2, false}, {255, false}};
    for (const auto& [byte, learned] : cases) {
        EXPECT_EQ(RecordBuilder().spellByte(59, byte).build().spellLearned(59), learned)
            << int{byte};
    }
}

}  // namespace
}  // namespace velmor
