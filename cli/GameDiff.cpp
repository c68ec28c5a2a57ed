#include "cli/GameDiff.h"

#include <algorithm>
#include <span>

#include "party/ClassRules.h"
#include "party/GameVocabulary.h"
#include "party/Windows1252.h"
#include "savegame/PartyEntry.h"

namespace velmor::cli {
namespace {

struct ByteRange {
    std::uint64_t offset;  // in party.bin
    std::uint64_t size;
};

// Compares field by field, remembering which bytes of party.bin the listed fields cover.
class FieldComparer {
public:
    FieldComparer(const PartyCopy& a, const PartyCopy& b) : m_a(a), m_b(b) {}

    void compare() {
        constexpr std::pair<PartySlot, const char*> kSlots[] = {{PartySlot::food, "food"},
                                                                {PartySlot::slot1, "slot1"},
                                                                {PartySlot::slot2, "slot2"},
                                                                {PartySlot::gold, "gold"},
                                                                {PartySlot::bankGold, "bankGold"}};
        for (const auto& [slot, key] : kSlots) {
            const auto offset = kPartyValuesOffset + 4 * static_cast<std::uint64_t>(slot);
            add(std::string("party.") + key, std::to_string(m_a.values.value(slot)),
                std::to_string(m_b.values.value(slot)), {offset, 4});
        }
        for (std::size_t c = 0; c < kCharacterCount; ++c) {
            compareCharacter(c, m_a.characters[c], m_b.characters[c]);
        }
    }

    std::vector<Change> changes;
    std::vector<ByteRange> covered;

private:
    void compareCharacter(std::size_t c, const CharacterRecord& a, const CharacterRecord& b) {
        const std::string base = "characters." + std::to_string(c) + ".";
        const std::uint64_t record = kCharacterTableOffset + c * kCharacterRecordSize;
        add(base + "name", Quoted(a.name()), Quoted(b.name()), {record + 8, 32});
        add(base + "infoText", Quoted(a.infoText()), Quoted(b.infoText()), {record + 40, 650});
        add(base + "class", ClassText(a.classIndex()), ClassText(b.classIndex()),
            {record + 690, 1});
        constexpr std::pair<CharacterNumber, const char*> kNumbers[] = {
            {CharacterNumber::might, "might"},
            {CharacterNumber::intellect, "intellect"},
            {CharacterNumber::personality, "personality"},
            {CharacterNumber::endurance, "endurance"},
            {CharacterNumber::speed, "speed"},
            {CharacterNumber::accuracy, "accuracy"},
            {CharacterNumber::luck, "luck"},
            {CharacterNumber::experience, "experience"},
            {CharacterNumber::skillPoints, "skillPoints"}};
        for (const auto& [number, key] : kNumbers) {
            add(base + key, std::to_string(a.number(number)), std::to_string(b.number(number)),
                {record + static_cast<std::uint64_t>(number), 4});
        }
        for (std::size_t k = 0; k < kSkillCount; ++k) {
            add(base + "skills." + std::to_string(k), SkillWithValue(a.skill(k)),
                SkillWithValue(b.skill(k)), {record + 728 + 2 * k, 2});
        }
        for (std::size_t s = 0; s < kSpellCount; ++s) {
            add(base + "spells." + std::to_string(s), SpellText(a.spellByte(s)),
                SpellText(b.spellByte(s)), {record + 870 + s, 1});
        }
    }

    void add(std::string path, std::string before, std::string after, ByteRange range) {
        if (before != after) {
            changes.push_back({std::move(path), std::move(before), std::move(after)});
            covered.push_back(range);
        }
    }

    static std::string Quoted(std::string_view text) {
        return "\"" + Windows1252ToUtf8(text) + "\"";
    }
    static std::string ClassText(std::uint8_t index) {
        return ClassName(index) + " (" + std::to_string(index) + ")";
    }
    static std::string SkillWithValue(SkillValue stored) {
        return SkillText(DecodeSkill(stored)) + " (" + std::to_string(stored) + ")";
    }
    const PartyCopy& m_a;
    const PartyCopy& m_b;
};

// Positions where two byte runs differ; a position that only one of them has differs.
template <typename Skip>
std::uint64_t CountDifferences(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b,
                               Skip skip) {
    std::uint64_t count = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const bool differs = i >= a.size() || i >= b.size() || a[i] != b[i];
        if (differs && !skip(i)) {
            ++count;
        }
    }
    return count;
}

// The entry's data as the file holds it; the load has made sure that the file holds all of it.
std::span<const std::uint8_t> PartyData(const OpenedGame& game, const FileBytes& file) {
    return std::span(file).subspan(game.facts.partyPosition, game.facts.partySize);
}

FileBytes WithoutParty(const OpenedGame& game, const FileBytes& file) {
    FileBytes rest(file.begin(),
                   file.begin() + static_cast<std::ptrdiff_t>(game.facts.partyPosition));
    rest.insert(
        rest.end(),
        file.begin() + static_cast<std::ptrdiff_t>(game.facts.partyPosition + game.facts.partySize),
        file.end());
    return rest;
}

}  // namespace

GameDifference DiffGames(const OpenedGame& a, const FileBytes& fileA, const OpenedGame& b,
                         const FileBytes& fileB) {
    FieldComparer comparer(a.session.party.working, b.session.party.working);
    comparer.compare();

    GameDifference difference;
    difference.fields = std::move(comparer.changes);
    const auto partyA = PartyData(a, fileA);
    const auto partyB = PartyData(b, fileB);
    std::vector<bool> listed(std::max(partyA.size(), partyB.size()));
    for (const ByteRange& range : comparer.covered) {
        for (std::uint64_t offset = range.offset; offset < range.offset + range.size; ++offset) {
            listed[offset] = true;
        }
    }
    difference.otherPartyBytes =
        CountDifferences(partyA, partyB, [&](std::size_t offset) { return bool(listed[offset]); });
    difference.otherFileBytes = CountDifferences(WithoutParty(a, fileA), WithoutParty(b, fileB),
                                                 [](std::size_t) { return false; });
    return difference;
}

}  // namespace velmor::cli
