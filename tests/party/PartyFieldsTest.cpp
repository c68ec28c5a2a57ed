#include <gtest/gtest.h>

#include <functional>

#include "data/ArchiveBuilder.h"
#include "party/Party.h"

namespace velmor {
namespace {

using test::RecordBuilder;

// Where the game keeps each field. A write lands on exactly the field's own bytes, little-endian,
// and on no other byte of the party values or of record 0, which follows them here.
TEST(PartyFields, EachWriteLandsOnItsOwnBytesOnly) {
    using namespace fields;
    const auto number = [](const PartyField& field) {
        return [&field](Party& party) {
            if (field.owner == FieldOwner::party) {
                party.values.setNumber(field, 0x04030201);
            } else {
                party.characters[0].setNumber(field, 0x04030201);
            }
        };
    };
    const test::Bytes four{1, 2, 3, 4}, two{1, 2}, one{1};
    const std::size_t record = kPartyValuesSize;
    const std::tuple<const char*, std::function<void(Party&)>, std::size_t, test::Bytes> places[] =
        {
            {"food", number(kFood), 0, four},
            {"gold", number(kGold), 12, four},
            {"bank gold", number(kBankGold), 16, four},
            {"experience", number(kExperience), record + 0, four},
            {"might", number(kMight), record + 692, four},
            {"intellect", number(kIntellect), record + 696, four},
            {"personality", number(kPersonality), record + 700, four},
            {"endurance", number(kEndurance), record + 704, four},
            {"speed", number(kSpeed), record + 708, four},
            {"accuracy", number(kAccuracy), record + 712, four},
            {"luck", number(kLuck), record + 716, four},
            {"skill points", number(kSkillPoints), record + 6996, four},
            {"class", [](Party& p) { p.characters[0].setClassIndex(1); }, record + 690, one},
            {"skill 0", [](Party& p) { p.characters[0].setSkill(0, 0x0201); }, record + 728, two},
            {"skill 38", [](Party& p) { p.characters[0].setSkill(38, 0x0201); }, record + 804, two},
            {"spell 0", [](Party& p) { p.characters[0].setSpellLearned(0, true); }, record + 870,
             one},
            {"spell 131", [](Party& p) { p.characters[0].setSpellLearned(131, true); },
             record + 1001, one},
        };
    for (const auto& [story, write, offset, bytes] : places) {
        Party party;
        write(party);
        test::Bytes expected(kPartyValuesSize + kCharacterRecordSize);
        std::copy(bytes.begin(), bytes.end(), expected.begin() + static_cast<long>(offset));
        test::Bytes written(party.values.bytes().begin(), party.values.bytes().end());
        written.insert(written.end(), party.characters[0].bytes().begin(),
                       party.characters[0].bytes().end());
        EXPECT_EQ(written, expected) << story;
    }
    Party party;
    party.characters[0].setNumber(kMight, 0x04030201);
    EXPECT_EQ(party.characters[0].number(kMight), 0x04030201u) << "read back";
}

// Texts end at their first zero byte, and with none at their field's end: the name does not run on
// into the info text, nor the info text into the class byte. Only a spell byte of exactly 1 is
// learned.
TEST(PartyFields, RecordsReadAsTheGameReadsThem) {
    const auto texts = [](const CharacterRecord& record) {
        return std::string(record.name()) + "|" + std::string(record.infoText());
    };
    const std::string name(32, 'N'), info(650, 'I');
    EXPECT_EQ(texts(RecordBuilder().name(name).infoText(info).classIndex('C').build()),
              name + "|" + info);
    EXPECT_EQ(texts(RecordBuilder().name("Ayla").infoText("").build()), "Ayla|");
    for (const auto& [byte, learned] :
         {std::pair<std::uint8_t, bool>{0, false}, {1, true}, {2, false}, {255, false}}) {
        EXPECT_EQ(RecordBuilder().spellByte(59, byte).build().spellLearned(59), learned) << +byte;
    }
}

}  // namespace
}  // namespace velmor
