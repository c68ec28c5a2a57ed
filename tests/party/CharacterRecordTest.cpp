#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/ArchiveBuilder.h"
#include "party/CharacterRecord.h"

namespace velmor {
namespace {

using test::RecordBuilder;

// Offsets of the bytes that differ between two records.
std::vector<std::size_t> ChangedOffsets(const CharacterRecord& before,
                                        const CharacterRecord& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < kCharacterRecordSize; ++i) {
        if (before.bytes()[i] != after.bytes()[i]) {
            changed.push_back(i);
        }
    }
    return changed;
}

std::vector<std::size_t> Range(std::size_t first, std::size_t last) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = first; i <= last; ++i) {
        offsets.push_back(i);
    }
    return offsets;
}

struct FieldWrite {
    std::string field;
    std::function<void(CharacterRecord&)> write;
    std::vector<std::size_t> expected;
};

// Each write lands on its own bytes and nowhere else, whatever the record held around it.
TEST(CharacterRecord, EachWriteChangesExactlyItsOwnBytes) {
    std::vector<FieldWrite> writes;
    const std::pair<CharacterNumber, std::size_t> numbers[] = {
        {CharacterNumber::experience, 0},     {CharacterNumber::might, 692},
        {CharacterNumber::intellect, 696},    {CharacterNumber::personality, 700},
        {CharacterNumber::endurance, 704},    {CharacterNumber::speed, 708},
        {CharacterNumber::accuracy, 712},     {CharacterNumber::luck, 716},
        {CharacterNumber::skillPoints, 6996},
    };
    for (const auto& [field, offset] : numbers) {
        writes.push_back({"number at " + std::to_string(offset),
                          [field](auto& r) { r.setNumber(field, 0xA1B2C3D4); },
                          Range(offset, offset + 3)});
    }
    const FieldWrite others[] = {
        {"classIndex", [](auto& r) { r.setClassIndex(0xA1); }, {690}},
        {"skill 0", [](auto& r) { r.setSkill(0, 0xA1B2); }, Range(728, 729)},
        {"skill 38", [](auto& r) { r.setSkill(38, 0xA1B2); }, Range(804, 805)},
        {"spell 0", [](auto& r) { r.setSpellLearned(0, true); }, {870}},
        {"spell 131", [](auto& r) { r.setSpellLearned(131, true); }, {1001}},
    };
    writes.insert(writes.end(), std::begin(others), std::end(others));
    const CharacterRecord before;  // all zeros, so every byte a write touches differs afterwards
    for (const auto& [field, write, expected] : writes) {
        CharacterRecord after = before;
        write(after);
        EXPECT_EQ(ChangedOffsets(before, after), expected) << field;
    }
    CharacterRecord record;
    record.setNumber(CharacterNumber::might, 0x04030201);
    EXPECT_EQ(record.bytes()[692], 0x01) << "little-endian";
    EXPECT_EQ(record.number(CharacterNumber::might), 0x04030201u);
}

TEST(CharacterRecord, TextsEndAtTheirZeroByteOrTheirFieldsEnd) {
    const std::string fullName(32, 'N');
    const std::string fullInfo(650, 'I');
    // With no zero byte anywhere, the name must not run on into the info text, nor the info
    // text into the class byte.
    const auto full = RecordBuilder().name(fullName).infoText(fullInfo).classIndex('C').build();
    EXPECT_EQ(full.name(), fullName);
    EXPECT_EQ(full.infoText(), fullInfo);

    const auto shortTexts = RecordBuilder().name("Ayla").infoText("Brave.").build();
    EXPECT_EQ(shortTexts.name(), "Ayla");
    EXPECT_EQ(shortTexts.infoText(), "Brave.");

    EXPECT_EQ(RecordBuilder().name("").build().name(), "");
}

TEST(CharacterRecord, OnlyAByteOfExactlyOneIsLearned) {
    const std::pair<std::uint8_t, bool> cases[] = {{0, false}, {1, true}, {2, false}, {255, false}};
    for (const auto& [byte, learned] : cases) {
        const auto record = RecordBuilder().spellByte(59, byte).build();
        EXPECT_EQ(record.spellLearned(59), learned) << int{byte};
    }
    CharacterRecord record = RecordBuilder().spellByte(59, 255).build();
    record.setSpellLearned(59, true);
    EXPECT_EQ(record.spellByte(59), 1);
    record.setSpellLearned(59, false);
    EXPECT_EQ(record.spellByte(59), 0);
}

}  // namespace
}  // namespace velmor
